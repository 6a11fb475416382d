#pragma once

#include "com/KeyedCollection.h"
#include "com/Object.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace Nelvar {
class IReport;
class IXmlDocument;
class IXmlElement;
} // namespace Nelvar

namespace ZeltorTests {

class CParameterList;
class CWaveformData;

// The snapshots of one ventilator result, each under its key, in the order they were added.
// Persisted as "Snapshots". Only Load raises to the caller, for a record it cannot read.
class CSnapshotColl final : public com::Object {
public:
    using Snapshots = com::KeyedCollection<std::shared_ptr<CWaveformData>>;

    int32_t Count() const { return m_snapshots.Count(); }
    // By 1-based position or by key; none when there is no such snapshot.
    std::shared_ptr<CWaveformData> Item(int32_t index) const;
    std::shared_ptr<CWaveformData> Item(const QString& key) const;
    // The snapshot most recently accepted by Add (also after it was removed); none before.
    const std::shared_ptr<CWaveformData>& LastSnapshot() const { return m_lastSnapshot; }
    Snapshots::Iterator begin() const { return m_snapshots.begin(); }
    Snapshots::Iterator end() const { return m_snapshots.end(); }

    // Adds the snapshot under its key; a key already held refuses it and changes nothing.
    void Add(const std::shared_ptr<CWaveformData>& snapshot);
    // Removes one snapshot; a position or key that is not held changes nothing.
    void Remove(int32_t index);
    void Remove(const QString& key);
    void Clear() { m_snapshots.Clear(); }

    // A "Snapshots" element (not appended), or none when there is no snapshot or the record
    // cannot be made.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) const;
    // Replaces the snapshots by those of a "Snapshots" element (any other changes nothing), each
    // bound to the channel definitions of `parameters` and the detect level (ml/min) of the
    // test's measurement settings. A snapshot that cannot be read, or a second snapshot under a
    // key already read (457), raises with a description naming it; the snapshots before it stay.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const CParameterList& parameters,
              int32_t detectLevel);

    // Under the heading "Snapshots" the graph blocks of the channels that print, snapshot by
    // snapshot; nothing without a snapshot. Failures are ignored.
    void PrintReport(Nelvar::IReport& report) const;

private:
    Snapshots m_snapshots;
    std::shared_ptr<CWaveformData> m_lastSnapshot;
};

} // namespace ZeltorTests
