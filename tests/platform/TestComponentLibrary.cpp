// A component library for the class registry's tests: loaded by path, it offers two classes.
#include "TestComponent.h"

#include "com/ClassRegistry.h"

#include <memory>

namespace {

class Greeter final : public ITestGreeter {
public:
    QString Greeting() const override { return QStringLiteral("Hello from the library"); }
};

class Plain final : public com::Object {};

} // namespace

COM_REGISTER_CLASSES(registry)
{
    registry.add({QString::fromLatin1(kGreeterProgId), QString::fromLatin1(kGreeterClassId),
                  [] { return std::make_shared<Greeter>(); }});
    registry.add({QString::fromLatin1(kPlainProgId), QString(), [] { return std::make_shared<Plain>(); }});
}
