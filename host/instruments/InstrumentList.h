#pragma once

#include "Instruments.h"
#include "RunContext.h"

#include <vector>

namespace host {

// The host's list of known instruments, at positions counted from 1.
// (Not named Instruments.h, which would hide the shared interface header.)
class Instruments final : public Nelvar::IInstruments {
public:
    int32_t Count() const override { return static_cast<int32_t>(m_instruments.size()); }
    // A position outside 1 to Count raises subscript (9).
    std::shared_ptr<Nelvar::IInstrumentInfo> Item(int32_t position) const override;
    // Appends the instrument; none raises object not set (91).
    void Add(const std::shared_ptr<Nelvar::IInstrumentInfo>& instrument) override;

private:
    std::vector<std::shared_ptr<Nelvar::IInstrumentInfo>> m_instruments;
};

} // namespace host
