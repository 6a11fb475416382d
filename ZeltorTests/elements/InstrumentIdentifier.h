#pragma once

#include <cstdint>
#include <memory>

namespace Nelvar {
class IInstrumentInfo;
class ITestSequence;
} // namespace Nelvar

namespace ZeltorTests {

// The identifier of a run's instrument in the run context's instrument list: that of the
// "Zeltor" entry with the instrument's serial number; an instrument not listed yet gets 1 + the
// highest identifier of the "Zeltor" entries and is added to the list. 0 without a list or an
// instrument. Reports no error.
int32_t instrumentIdentifier(const std::shared_ptr<Nelvar::ITestSequence>& sequence,
                             const std::shared_ptr<Nelvar::IInstrumentInfo>& instrument);

} // namespace ZeltorTests
