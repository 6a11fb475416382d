#pragma once

#include "com/Object.h"

#include <cstdint>
#include <memory>

// The host's collections of test elements: a group of tests, and the catalogue a plug-in fills
// with its prototypes.
namespace Nelvar {

class ITestElement;

// ProgID of the host's test collection; a plug-in creates one for its catalogue.
inline constexpr const char* kTestCollectionProgId = "Nelvar.TestCollection";

// Test elements in order. A test element that is a group of tests offers it too.
class ITests : public virtual com::Object {
public:
    // Where the element goes: the system passes no relative element and 1, the end.
    enum EAddPosition : int32_t {
        eapLast = 1,
    };

    virtual void Add(const std::shared_ptr<ITestElement>& element, const std::shared_ptr<com::Object>& relative,
                     int32_t position) = 0;
};

class ITestCollection : public ITests {
public:
    // The first element of that test identifier, or none.
    virtual std::shared_ptr<ITestElement> ItemByTestID(int32_t testID) const = 0;
    // Releases every element.
    virtual void Clear() = 0;
};

} // namespace Nelvar
