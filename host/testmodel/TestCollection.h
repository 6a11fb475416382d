#pragma once

#include "Tests.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace host {

// The host's collection of test elements: a plug-in's catalogue of prototypes. Elements keep the
// order they were added in.
class TestCollection final : public Nelvar::ITestCollection {
public:
    // Appends the element. None raises object not set (91); a relative element or a position
    // other than the end raises invalid call (5).
    void Add(const std::shared_ptr<Nelvar::ITestElement>& element, const std::shared_ptr<com::Object>& relative,
             int32_t position) override;
    std::shared_ptr<Nelvar::ITestElement> ItemByTestID(int32_t testID) const override;
    void Clear() override { m_elements.clear(); }

    int32_t Count() const { return static_cast<int32_t>(m_elements.size()); }
    // The element at a position counted from 1; outside 1 to Count raises subscript (9).
    std::shared_ptr<Nelvar::ITestElement> Item(int32_t position) const;

private:
    std::vector<std::shared_ptr<Nelvar::ITestElement>> m_elements;
};

} // namespace host
