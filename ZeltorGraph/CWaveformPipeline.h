#pragma once

#include "GraphPipeline.h"

#include <cstdint>
#include <memory>

namespace ZeltorGraph {

// Draws a live waveform channel (50 samples per second) as a sweep: a fixed window of X slots,
// one per sample, written from left to right and again from the left once the write position
// reaches the right edge, with an empty slot just ahead of the write position and the cursor at
// it. X is in samples and labelled as elapsed seconds; the Y axis can follow the data inside the
// window the item prefers (SetScaleBoundaries).
class CWaveformPipeline final : public GraphPipeline {
public:
    // The sweep window: 500 slots (ten seconds) when auto-scaled, otherwise 50 to 3000.
    static constexpr int32_t kAutoSpan = 500;
    static constexpr int32_t kMinimumSpan = 50;
    static constexpr int32_t kMaximumSpan = 3000;

    int32_t CurrentX() const override { return m_writePosition; }
    void SetScaleBoundaries(float rMin, float rSpan) override;
    void Initialize(XGraph* xgrGraph, const std::shared_ptr<IGraphData>& igdData, int32_t iXStartPos = 0) override;
    void Clear() override;
    void DrawValue(float rValue1, float rValue2 = 0.0f) override;
    void SetLimit(const std::shared_ptr<Nelvar::ILimit>& ilm) override;
    void SetDetectLevel(float rLevel) override;
    void SetGraphSettings(int32_t, int32_t, int32_t = 0) override {}
    void StoreSettings(const std::shared_ptr<IGraphSettings>& igsSettings) override;
    // Only the span counts: the window always starts at X 0.
    void SetXScale(int32_t iMin, int32_t iSpan, bool fAutoScale) override;
    void SetYScale(double rMin, double rSpan, bool fAutoScale) override;
    QString GetXLabel(const com::Value& iXValue) override;
    void LegendChange(int32_t iLegendIdx, bool fValue) override;

private:
    void applyXSettings(const IGraphSettings& settings);
    // Widens or narrows the window to `span` slots.
    void setSweepSpan(int32_t span);
    void track(float value);

    std::shared_ptr<Nelvar::ILimit> m_limit;
    bool m_detectLevelSet = false;
    int32_t m_writePosition = 0;
    bool m_rangeStarted = false;
    bool m_autoY = false;
    float m_trackedMinimum = 0.0f;
    float m_trackedMaximum = 0.0f;
    float m_boundaryMinimum = 0.0f;
    float m_boundarySpan = 0.0f;
    bool m_boundariesSet = false;
};

} // namespace ZeltorGraph
