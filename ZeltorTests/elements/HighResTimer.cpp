#include "elements/HighResTimer.h"

#include "com/Error.h"

namespace ZeltorTests {

HighResTimer::HighResTimer(std::unique_ptr<events::Timer> timer) : m_timer(std::move(timer))
{
    if (!m_timer)
        throw com::Error::objectNotSet();
}

} // namespace ZeltorTests
