#pragma once

#include "com/Object.h"

#include <cstdint>
#include <memory>

namespace Nelvar {
class IXmlDocument;
class IXmlElement;
} // namespace Nelvar

namespace ZeltorTests {

// Whether every run of a ventilator test records a trend from its start without the user
// starting one, and at which sampling interval. Values are stored as given, without range
// checks. Persisted as "TrendSettings" inside the configuration.
class CPreDefinedTrendSettings final : public com::Object {
public:
    bool Active() const { return m_active; }
    void setActive(bool active) { m_active = active; }
    // Seconds.
    int32_t Interval() const { return m_interval; }
    void setInterval(int32_t interval) { m_interval = interval; }

    std::shared_ptr<CPreDefinedTrendSettings> Clone() const
    {
        return std::make_shared<CPreDefinedTrendSettings>(*this);
    }

    // Reads a "TrendSettings" element (its name is not checked): active exactly when it has an
    // "Active" child, whatever that child holds; without an "Interval" child the interval stays.
    // Host failures reach the caller.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element);
    // A new "TrendSettings" element (not appended); "Active" is written only when set. Host
    // failures reach the caller.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) const;

private:
    bool m_active = false;
    int32_t m_interval = 15;
};

} // namespace ZeltorTests
