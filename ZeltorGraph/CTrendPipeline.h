#pragma once

#include "GraphPipeline.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace ZeltorGraph {

// Draws a trend parameter: the maxima and the minima of each trend interval over the seconds
// since the trend started, with the parameter's high and low limit lines. The Y auto-fit keeps
// 0 in view, or, while limits show, widens the range to the enabled limits.
class CTrendPipeline final : public GraphPipeline {
public:
    CTrendPipeline();

    int32_t CurrentX() const override { return 0; }
    void SetScaleBoundaries(float, float) override {}
    void Initialize(XGraph* xgrGraph, const std::shared_ptr<IGraphData>& igdData, int32_t iXStartPos = 0) override;
    void Clear() override {}
    // `rValue1` is the interval's minimum, `rValue2` its maximum. A failure ends it silently.
    void DrawValue(float rValue1, float rValue2 = 0.0f) override;
    // Each step that fails is skipped.
    void SetLimit(const std::shared_ptr<Nelvar::ILimit>& ilm) override;
    void SetDetectLevel(float) override {}
    void SetGraphSettings(int32_t iStartTime, int32_t iLength, int32_t iInterval = 0) override;
    void StoreSettings(const std::shared_ptr<IGraphSettings>& igsSettings) override;
    void SetXScale(int32_t iMin, int32_t iSpan, bool fAutoScale) override;
    void SetYScale(double rMin, double rSpan, bool fAutoScale) override;
    QString GetXLabel(const com::Value& iXValue) override;
    void LegendChange(int32_t iLegendIdx, bool fValue) override;

    // The seconds between two X labels for a span of seconds.
    static int32_t GetLabelStep(double span);

private:
    void applyXSettings(const IGraphSettings& settings);
    // Shows or hides the limit band and the lines of the enabled limits.
    void showLimitLines(bool shown);
    void FitYScale();

    std::shared_ptr<Nelvar::ILimit> m_limit;
    int32_t m_interval = 0;
    int32_t m_startTime = 0;
    int32_t m_currentX = 0;
    bool m_showLimits = false;
    QString m_highText;
    QString m_lowText;
    bool m_autoX = false;
    bool m_fitting = false;
};

} // namespace ZeltorGraph
