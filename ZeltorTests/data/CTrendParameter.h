#pragma once

#include "data/TrendValuesRecord.h"

#include "GraphInterfaces.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace Nelvar {
class ILimit;
class IReport;
class IStandard;
class IXmlDocument;
class IXmlElement;
} // namespace Nelvar

namespace ZeltorTests {

class CGraphSettings;
class CParameterDef;
class CTrend;
class CTrendPrinter;

// The samples of one breath parameter inside one trend: per interval the minimum and the maximum
// of its measurement, in the base unit, with the overall minimum and maximum. It is the data item
// of a trend graph: while a pipeline is hooked every new sample is drawn into it. Persisted as
// "TrendParameter" with the samples packed in "Values".
class CTrendParameter final : public ZeltorGraph::IGraphData {
public:
    CTrendParameter();

    // Binds the trend that holds this parameter (not owned) and the parameter's definition.
    void Initialize(std::weak_ptr<CTrend> parent, std::shared_ptr<CParameterDef> definition);

    // Stores the pair (no check that min <= max), updates the overall values and draws the pair
    // when a pipeline is hooked.
    void AddSample(float min, float max);
    // The overall minimum and maximum, in the display unit.
    float MinValue() const;
    float MaxValue() const;
    // The newest sample changed the overall minimum or maximum.
    bool MinMaxChange() const { return m_minMaxChange; }
    // One value per sample, oldest first: the maxima for which 2, the minima otherwise; in the
    // display unit when fConvert is set.
    std::vector<float> Values(int32_t which, bool fConvert) const;
    int32_t SampleCount() const { return static_cast<int32_t>(m_samples.size()); }

    QString Key() const;
    QString Caption(bool fTranslate) const;
    QString ValueFormat() const;
    bool PrintOnReport() const { return m_printOnReport; }
    void setPrintOnReport(bool value) { m_printOnReport = value; }

    // Takes this parameter's limit from the standard (none clears it) and hands it to the hooked
    // pipeline. Failures end it silently.
    void ApplyLimits(const std::shared_ptr<Nelvar::IStandard>& standard);

    // Prints this parameter's graph block of the trend through the printer (whatever the print
    // flag says: the trend asks only the parameters that print).
    void Print(CTrendPrinter& printer, const QString& title, int32_t startTime, int32_t interval,
               Nelvar::IReport& report) const;

    // Reads a "TrendParameter" element (another one is ignored), appending its samples to those
    // held. Failures reach the caller, a malformed pair after the pairs before it were added.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element);
    // A "TrendParameter" element (not appended), or none on any failure.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) const;

    // IGraphData
    std::shared_ptr<ZeltorGraph::IGraphDataParent> Parent() const override;
    QString Title() const override;
    QString Unit() const override;
    ZeltorGraph::EZeltorGraphType GraphType() const override { return ZeltorGraph::egtTrendGraph; }
    std::shared_ptr<ZeltorGraph::IGraphSettings> Settings() const override;
    void SyncXScale(int32_t, int32_t, bool) override {}
    // Keeps the pipeline and brings it up to date: limit, times, every stored pair, Y scale.
    // Failures end it silently at the failing step.
    void HookPipeline(const std::shared_ptr<ZeltorGraph::IGraphPipeline>& igpPipeline) override;
    // Lets the pipeline store the graph's view when asked, then drops it, even when storing fails.
    void ReleasePipeline(bool fStoreSettings = true) override;

private:
    const CParameterDef& definition() const;
    const CTrend& parent() const;
    float displayValue(float baseValue) const;
    // Draws one pair into the hooked pipeline; a failure ends only this drawing.
    void draw(const TrendSample& sample) const;

    std::shared_ptr<CParameterDef> m_definition;
    std::weak_ptr<CTrend> m_parent;
    std::vector<TrendSample> m_samples;
    float m_overallMax = 0.0f;
    float m_overallMin = 0.0f;
    bool m_minMaxChange = false;
    bool m_hasConverter = false;
    bool m_printOnReport = false;
    const std::shared_ptr<CGraphSettings> m_settings;
    std::shared_ptr<ZeltorGraph::IGraphPipeline> m_pipeline;
    std::shared_ptr<Nelvar::ILimit> m_limit;
};

} // namespace ZeltorTests
