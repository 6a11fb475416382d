#pragma once

#include "GraphInterfaces.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace Nelvar {
class IConverter;
class IReport;
class IXmlDocument;
class IXmlElement;
} // namespace Nelvar

namespace ZeltorTests {

class CGraphSettings;
class CParameterDef;
class CSnapshotPrinter;
class CWaveformData;

// The most recent 60 seconds of one waveform channel ("FLOW", "PRES" or "VOLU") at 50 samples per
// second, in the channel's base unit: a ring of 3000 samples filled from the instrument's
// two-sample packets, with lost packets filled in. It is the data item of a live waveform graph
// and, once frozen or loaded, of a snapshot graph. Persisted as "MeasurementTable".
//
// Members other than the plain accessors and Load absorb their failures and return normally; what
// was done before a failure stays.
class CZeltorMeasurementTable final : public ZeltorGraph::IGraphData,
                                      public std::enable_shared_from_this<CZeltorMeasurementTable> {
    struct Passkey {
        explicit Passkey() = default;
    };

public:
    static constexpr int32_t kRingSize = 3000;

    // A table hands itself to its pipeline, so it only ever lives in a shared_ptr.
    static std::shared_ptr<CZeltorMeasurementTable> create();
    explicit CZeltorMeasurementTable(Passkey);

    // Binds the channel's definition (none leaves the table without key, caption and converter)
    // and the waveform that owns the table; the settings start anew, with the detect-level lines
    // shown on the FLOW channel only.
    void Initialize(std::shared_ptr<CParameterDef> definition, std::weak_ptr<CWaveformData> parent);

    float LastValue() const { return m_lastValue; }
    int32_t Count() const { return m_count; }
    // Empty texts while no definition is bound.
    QString Key() const;
    QString Caption(bool fTranslate) const;
    void setGraphType(ZeltorGraph::EZeltorGraphType type) { m_graphType = type; }
    bool PrintOnReport() const { return m_printOnReport; }
    void setPrintOnReport(bool print) { m_printOnReport = print; }
    // The breath detect level in the base flow unit, drawn on FLOW graphs.
    void setDetectLevel(float level) { m_detectLevel = level; }

    // The samples oldest first, in the display unit when asked and the channel has a converter.
    std::vector<float> Values(bool fConvert) const;

    // Stores one sample; once the ring is full it overwrites the oldest.
    void AddValue(float value);
    // Stores one instrument packet: two consecutive raw samples in tenths (resolution below 3) or
    // hundredths, on the volume channel in millilitres, preceded by a linear fill from the
    // previous packet when the rolling sequence number (0 to 9) shows lost packets.
    void AddPacket(int32_t sequence, int32_t raw1, int32_t raw2, int16_t resolution);
    // Draws the two newest samples into the hooked pipeline.
    void DrawLatest();
    // Draws every sample into the hooked pipeline and applies the scales of the settings.
    void Redraw();
    // Keeps only the samples inside the X window of the settings (the window end is clamped to
    // the newest sample) and moves the window to the start. Draws nothing. Returns whether the
    // table was cut: a window outside the data changes nothing.
    bool Truncate();
    // Turns a live table into a snapshot table: the X window moves with the data so that it keeps
    // showing the samples the live graph showed at sweep position `offset`.
    void Freeze(int32_t offset);
    // Copies the other item's ten display settings, when it has settings.
    void CopySettingsFrom(const std::shared_ptr<ZeltorGraph::IGraphData>& other);

    // When the print flag is set: the channel's graph block through the printer, with the
    // snapshot's title, start time and length.
    void Print(CSnapshotPrinter& printer, const QString& title, Nelvar::IReport& report) const;

    // A "MeasurementTable" element (not appended), or none when it cannot be completed.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) const;
    // Reads a "MeasurementTable" element (any other changes nothing): print flag, settings and
    // samples, which are appended to those held. The table becomes a snapshot table. A part that
    // cannot be read (a data piece that is not a number) raises, the description naming the
    // channel, rather than the samples after it being lost; what was read before stays.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element);

    // IGraphData
    std::shared_ptr<ZeltorGraph::IGraphDataParent> Parent() const override;
    // The translated caption, a blank and the waveform's display title (empty while live).
    QString Title() const override;
    QString Unit() const override;
    ZeltorGraph::EZeltorGraphType GraphType() const override { return m_graphType; }
    std::shared_ptr<ZeltorGraph::IGraphSettings> Settings() const override;
    // Applies the X window and auto-scale flag to the settings of every channel of the waveform.
    void SyncXScale(int32_t iMinX, int32_t iMaxX, bool fAutoScaleX) override;
    void HookPipeline(const std::shared_ptr<ZeltorGraph::IGraphPipeline>& igpPipeline) override;
    void ReleasePipeline(bool fStoreSettings = true) override;

private:
    // The sample at index k (0 the oldest); raises 9 (subscript) outside the samples held.
    float sampleAt(int32_t k) const;
    // What a raw packet value counts: tenths (resolution below 3) or hundredths of the base unit;
    // millilitres on the volume channel.
    float packetScale(int16_t resolution) const;
    // How many units of the record's form make one base unit: 100 on the volume channel, whose
    // records hold centilitres; 1 elsewhere.
    double storedPerBaseUnit() const;
    float displayValue(float baseValue) const;
    int32_t parentStartTime() const;
    QString dataText() const;
    // Reads the settings of a "GraphSettings" element, its Y range from the record's form.
    void loadSettings(const std::shared_ptr<Nelvar::IXmlElement>& element);
    // Appends the samples of a "Data" text; a piece that is not a number raises, naming it.
    void appendDataText(const QString& text);

    std::shared_ptr<CParameterDef> m_definition;
    std::weak_ptr<CWaveformData> m_parent;
    std::shared_ptr<Nelvar::IConverter> m_converter;
    bool m_volumeChannel = false;
    std::shared_ptr<CGraphSettings> m_settings;
    // Held only between HookPipeline and ReleasePipeline.
    std::shared_ptr<ZeltorGraph::IGraphPipeline> m_pipeline;

    std::array<float, kRingSize> m_samples{};
    int32_t m_first = 0; // ring position of the oldest sample; 0 until the ring is full
    int32_t m_count = 0;
    float m_lastValue = 0.0f;
    int32_t m_expectedSequence = 0;
    float m_lastPacketValue = 0.0f;

    ZeltorGraph::EZeltorGraphType m_graphType = ZeltorGraph::egtWaveformGraph;
    // How far a frozen X window reaches beyond the data; the snapshot pipeline's scroll range
    // ends there.
    int32_t m_xOffset = 0;
    float m_detectLevel = 0.0f;
    bool m_printOnReport = false;
};

} // namespace ZeltorTests
