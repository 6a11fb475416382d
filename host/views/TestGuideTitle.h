#pragma once

#include <QString>

#include <memory>

namespace Nelvar {
class ITestElement;
}

namespace host {

// The name under which the host shows a test: the name it was listed by, else its translated type
// name; empty for no element.
QString testTitle(const std::shared_ptr<Nelvar::ITestElement>& element);

} // namespace host
