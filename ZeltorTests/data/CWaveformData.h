#pragma once

#include "GraphInterfaces.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>

namespace Nelvar {
class IReport;
class IXmlDocument;
class IXmlElement;
} // namespace Nelvar

namespace ZeltorTests {

class CParameterList;
class CSnapshotPrinter;
class CZeltorMeasurementTable;

// One waveform of a ventilator run: the FLOW, PRES and VOLU channel tables with a key, a title,
// a comment and the elapsed second at which it ends. Live while the run fills it; once frozen or
// loaded it is a snapshot. The parent of its three tables; persisted as "Snapshot".
//
// Members that initialise, draw, freeze, truncate or save absorb their failures and return
// normally; what was done before a failure stays. Load reports what it cannot read.
class CWaveformData final : public ZeltorGraph::IGraphDataParent,
                            public std::enable_shared_from_this<CWaveformData> {
    struct Passkey {
        explicit Passkey() = default;
    };

public:
    // The waveform hands itself to its tables as their parent, so it only ever lives in a
    // shared_ptr. Its three tables are created with it and bound by Initialize.
    static std::shared_ptr<CWaveformData> create();
    explicit CWaveformData(Passkey);

    // IGraphDataParent: egtWaveformGraph while live, egtSnapshotGraph once stored.
    ZeltorGraph::EZeltorGraphType ParentType() const override;
    QString Key() const override { return m_key; }
    QString Title() const override { return m_title; }
    QString Comment() const override { return m_comment; }

    void setTitle(const QString& title) { m_title = title; }
    void setComment(const QString& comment) { m_comment = comment; }
    int32_t CreationTime() const { return m_creationTime; }
    // The creation time less the FLOW table's duration (50 samples a second), in whole seconds.
    int32_t StartTime() const;
    int32_t Length() const;
    using Tables = std::array<std::shared_ptr<CZeltorMeasurementTable>, 3>;
    // The three channel tables in channel order: FLOW, PRES, VOLU.
    const Tables& ChannelTables() const { return m_tables; }
    const std::shared_ptr<CZeltorMeasurementTable>& FlowTable() const { return m_tables[0]; }
    const std::shared_ptr<CZeltorMeasurementTable>& PressureTable() const { return m_tables[1]; }
    const std::shared_ptr<CZeltorMeasurementTable>& VolumeTable() const { return m_tables[2]; }
    // "[Snapshot: <title>]" (translated) for a snapshot, empty while live.
    QString DisplayTitle() const;

    // Binds the tables to the channel definitions of `parameters`; `detectLevel` is the breath
    // detect level of the test's measurement settings in ml/min. With a reference waveform every
    // table takes over the display settings of the reference's table of the same channel.
    void Initialize(const QString& key, const CParameterList& parameters, int32_t detectLevel,
                    const std::shared_ptr<const CWaveformData>& reference = nullptr);
    void DrawLatest();
    // Cuts the three tables to the X window of the FLOW graph and redraws them; the creation
    // time follows the newest kept sample.
    void Truncate();
    // Makes the live waveform a snapshot ending at `endTime`, titled with its time span;
    // `offset` is the live graph's sweep position.
    void Freeze(int32_t endTime, int32_t offset);

    // The FLOW, PRES and VOLU channels that print, in that order, each with this snapshot's title.
    void Print(CSnapshotPrinter& printer, Nelvar::IReport& report) const;

    // A "Snapshot" element (not appended), or none when it cannot be completed.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) const;
    // Reads a "Snapshot" element (any other changes nothing); the waveform becomes a snapshot.
    // A creation time or a channel that cannot be read raises, the description naming the
    // snapshot, rather than the rest of the snapshot being lost; what was read before stays.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element);

private:
    // The table of a channel key, or none.
    CZeltorMeasurementTable* tableOfKey(const QString& key) const;

    QString m_key;
    QString m_title;
    QString m_comment;
    int32_t m_creationTime = 0;
    bool m_stored = false;
    const Tables m_tables;
};

} // namespace ZeltorTests
