#pragma once

#include "GraphInterfaces.h"

namespace ZeltorTests {

// How one graph of one data item is shown: axis auto-scaling, the fixed ranges used otherwise,
// and which auxiliary lines and curves are visible. Persisted inside its owner's record as
// "GraphSettings"; a flag is written only where it differs from its default.
class CGraphSettings final : public ZeltorGraph::IGraphSettings {
public:
    bool AutoScaleX() const override { return m_autoScaleX; }
    void setAutoScaleX(bool value) override { m_autoScaleX = value; }
    bool AutoScaleY() const override { return m_autoScaleY; }
    void setAutoScaleY(bool value) override { m_autoScaleY = value; }
    float Xmax() const override { return m_xmax; }
    void setXmax(float value) override { m_xmax = value; }
    float Xmin() const override { return m_xmin; }
    void setXmin(float value) override { m_xmin = value; }
    float Ymax() const override { return m_ymax; }
    void setYmax(float value) override { m_ymax = value; }
    float Ymin() const override { return m_ymin; }
    void setYmin(float value) override { m_ymin = value; }
    bool ShowDetectLevel() const override { return m_showDetectLevel; }
    void setShowDetectLevel(bool value) override { m_showDetectLevel = value; }
    bool ShowLimits() const override { return m_showLimits; }
    void setShowLimits(bool value) override { m_showLimits = value; }
    bool ShowMax() const override { return m_showMax; }
    void setShowMax(bool value) override { m_showMax = value; }
    bool ShowMin() const override { return m_showMin; }
    void setShowMin(bool value) override { m_showMin = value; }

    // Host failures reach the caller unchanged.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& ixdOwner) override;
    // Restores the defaults, then reads an element named exactly "GraphSettings" (any other
    // element leaves the defaults). A range value is the leading number of its text (none gives
    // 0); one beyond the Single range raises overflow (6), naming it. What was read before a
    // failure stays.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& ixeIn) override;

private:
    bool m_autoScaleX = true;
    bool m_autoScaleY = true;
    float m_xmax = 0.0f;
    float m_xmin = 0.0f;
    float m_ymax = 0.0f;
    float m_ymin = 0.0f;
    bool m_showDetectLevel = false;
    bool m_showLimits = false;
    bool m_showMax = true;
    bool m_showMin = true;
};

} // namespace ZeltorTests
