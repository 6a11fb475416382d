#pragma once

#include "TestElement.h"

namespace host {

// A test element's filter; the host sets its flags (bit 0 asks for a service record).
class TestFilter final : public Nelvar::ITestFilter {
public:
    // The flag that asks for a service record for a kept result.
    static constexpr int32_t kServiceRecord = 1;

    int32_t Flags() const override { return m_flags; }
    void setFlags(int32_t flags) { m_flags = flags; }

private:
    int32_t m_flags = 0;
};

} // namespace host
