#pragma once

#include "Object.h"

#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace com {

using ClassFactory = std::function<std::shared_ptr<Object>()>;

// One creatable class: its programmatic identifier ("ZeltorVTI.CParameterView"), its class
// identifier ("{08CF2A43-715D-11D6-9B30-0050DA3393D8}", may be empty) and its factory.
struct ClassEntry {
    QString progId;
    QString classId;
    ClassFactory factory;
};

// Where self-registration records which library serves a class (the system registry's class
// section). The host keeps it; the class registry asks it when a class is not yet known.
class ClassStore {
public:
    virtual ~ClassStore() = default;
    virtual void recordClass(const QString& progId, const QString& classId, const QString& libraryPath) = 0;
    virtual void removeClass(const QString& progId, const QString& classId) = 0;
    // The library that serves a ProgID or class identifier, if one is recorded.
    virtual std::optional<QString> libraryOf(const QString& progIdOrClassId) const = 0;
};

// Name of the entry point every component library exports; it adds the library's creatable
// classes to the registry it is given: extern "C" void ComRegisterClasses(com::ClassRegistry&).
inline constexpr const char* kRegisterClassesEntry = "ComRegisterClasses";

// ProgID (or class identifier) to factory, looked up without regard to case. A name that is not
// known is looked up in the class store, whose library is then loaded and asked for its classes.
class ClassRegistry {
public:
    static ClassRegistry& instance();

    void add(ClassEntry entry);
    void remove(const QString& progIdOrClassId);
    bool contains(const QString& progIdOrClassId) const;
    const std::vector<ClassEntry>& entries() const { return m_entries; }

    void setStore(std::shared_ptr<ClassStore> store) { m_store = std::move(store); }
    const std::shared_ptr<ClassStore>& store() const { return m_store; }

    // Creates an object of the class; raises 429 when the class is unknown and no library
    // serves it, or when the factory fails.
    std::shared_ptr<Object> create(const QString& progIdOrClassId);

    // Creates an object and asks it for an interface; raises 13 when it does not offer it.
    template <typename Interface>
    std::shared_ptr<Interface> createAs(const QString& progIdOrClassId);

    // Self-registration: loads the library, asks it for its classes and records each of them
    // with the library's path in the store (and forgets them again on unregistration).
    void registerServer(const QString& libraryPath);
    void unregisterServer(const QString& libraryPath);

private:
    const ClassEntry* find(const QString& progIdOrClassId) const;
    void loadLibrary(const QString& libraryPath, ClassRegistry& into);

    std::vector<ClassEntry> m_entries;
    std::shared_ptr<ClassStore> m_store;
};

[[noreturn]] void raiseTypeMismatch();

template <typename Interface>
std::shared_ptr<Interface> ClassRegistry::createAs(const QString& progIdOrClassId)
{
    auto object = std::dynamic_pointer_cast<Interface>(create(progIdOrClassId));
    if (!object)
        raiseTypeMismatch();
    return object;
}

} // namespace com

// Declares the registration entry point of a component library; the body adds its classes.
#define COM_REGISTER_CLASSES(registryName) \
    extern "C" __attribute__((visibility("default"))) void ComRegisterClasses(com::ClassRegistry& registryName)
