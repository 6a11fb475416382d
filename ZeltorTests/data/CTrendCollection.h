#pragma once

#include "com/Object.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace Nelvar {
class IReport;
class IXmlDocument;
class IXmlElement;
} // namespace Nelvar

namespace ZeltorTests {

class CParameterList;
class CTrend;

// The trends of one result record, in the order they were added, each under its trend's key
// (compared without regard to case; the empty key is a key like any other: the predefined trend
// has it). While locked no trend can be added. Persisted as "Trends".
class CTrendCollection final : public com::Object {
public:
    using Trends = std::vector<std::shared_ptr<CTrend>>;

    Trends::const_iterator begin() const { return m_trends.begin(); }
    Trends::const_iterator end() const { return m_trends.end(); }
    int32_t Count() const { return static_cast<int32_t>(m_trends.size()); }
    // None for a key that is not held.
    std::shared_ptr<CTrend> Item(const QString& key) const;
    // The trend added last; none while there is none.
    std::shared_ptr<CTrend> LastTrend() const;

    bool Locked() const { return m_locked; }
    void setLocked(bool locked) { m_locked = locked; }

    // A new trend with one trend parameter per selected breath parameter of the list, not
    // recording, interval and start time 0; none while locked. A key already held raises the
    // duplicate-key error (457).
    std::shared_ptr<CTrend> Add(const QString& key, const CParameterList& parameters);
    // Removes the trend at that 1-based position or under that key; an unknown one is ignored.
    void Remove(int32_t position);
    void Remove(const QString& key);
    // Removes every trend; the lock stays as it is.
    void Clear() { m_trends.clear(); }

    // Replaces the trends by those of a "Trends" element and unlocks the collection. Another
    // element raises 0x8004A3FF and changes nothing. The first failure ends the load, keeping the
    // trends loaded before it; it is passed on wrapped with this class's source.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const CParameterList& parameters);
    // A "Trends" element (not appended): "TrendCount" counting every trend, then each trend's
    // element; none while there is no trend. Failures reach the caller.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) const;

    // Under the heading "Trend waveforms" the graph blocks of the parameters that print, trend by
    // trend; nothing without a trend. Failures are ignored.
    void PrintReport(Nelvar::IReport& report) const;

private:
    Trends::const_iterator find(const QString& key) const;
    // Appends the trend under its key; a key already held raises 457.
    void append(std::shared_ptr<CTrend> trend);

    Trends m_trends;
    bool m_locked = false;
};

} // namespace ZeltorTests
