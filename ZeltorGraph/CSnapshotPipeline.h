#pragma once

#include "GraphPipeline.h"

#include <cstdint>
#include <memory>

namespace ZeltorGraph {

// Draws one channel table of a stored waveform snapshot (50 samples per second) as one white
// line, X in samples labelled as elapsed seconds from the snapshot's start time, with the detect
// level as a band on the flow table. The item redraws by Clear, Initialize without a graph (the
// graph given first is kept), its samples and its scales.
class CSnapshotPipeline final : public GraphPipeline {
public:
    int32_t CurrentX() const override { return 0; }
    void SetScaleBoundaries(float, float) override {}
    void Initialize(XGraph* xgrGraph, const std::shared_ptr<IGraphData>& igdData, int32_t iXStartPos = 0) override;
    void Clear() override;
    // A failure of the plot is ignored; the next sample still goes one X further.
    void DrawValue(float rValue1, float rValue2 = 0.0f) override;
    void SetLimit(const std::shared_ptr<Nelvar::ILimit>&) override {}
    void SetDetectLevel(float rLevel) override;
    // The third value is how far the X scroll range reaches beyond the data.
    void SetGraphSettings(int32_t iStartTime, int32_t iLength, int32_t iInterval = 0) override;
    void StoreSettings(const std::shared_ptr<IGraphSettings>& igsSettings) override;
    void SetXScale(int32_t iMin, int32_t iSpan, bool fAutoScale) override;
    void SetYScale(double rMin, double rSpan, bool fAutoScale) override;
    QString GetXLabel(const com::Value& iXValue) override;
    void LegendChange(int32_t iLegendIdx, bool fValue) override;

private:
    void applyXSettings(const IGraphSettings& settings);

    bool m_detectLevelSet = false;
    int32_t m_sampleCount = 0;
    int32_t m_startTime = 0;
    int32_t m_length = 0;
    int32_t m_xOffset = 0;
};

} // namespace ZeltorGraph
