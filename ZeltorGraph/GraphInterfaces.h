#pragma once

#include "com/Object.h"
#include "com/Value.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace Nelvar {
class ILimit;
class IXmlDocument;
class IXmlElement;
} // namespace Nelvar

// The contract between the graph control, its drawing pipelines and the drawable data items of
// the measurement data.
namespace ZeltorGraph {

class XGraph;
class IGraphPipeline;

// Which kind of graph a data item needs, and so which pipeline draws it.
enum EZeltorGraphType : int32_t {
    egtWaveformGraph = 0, // live sweeping waveform, X in samples (50 per second)
    egtTrendGraph = 1,    // one minimum/maximum pair per trend interval, X in seconds
    egtSnapshotGraph = 2, // frozen waveform, X in samples
};

// Legend entries, fixed across the system.
enum ELegendEntry : int32_t {
    eleDetectLevel = 0,
    eleMaximum = 1,
    eleMinimum = 2,
    eleLimits = 3,
};

// The persistent display settings of one data item. X values are in the data's X unit, Y values
// in its display unit. Plain stored values: nothing is checked or notified.
class IGraphSettings : public virtual com::Object {
public:
    virtual bool AutoScaleX() const = 0;
    virtual void setAutoScaleX(bool value) = 0;
    virtual bool AutoScaleY() const = 0;
    virtual void setAutoScaleY(bool value) = 0;
    virtual float Xmax() const = 0;
    virtual void setXmax(float value) = 0;
    virtual float Xmin() const = 0;
    virtual void setXmin(float value) = 0;
    virtual float Ymax() const = 0;
    virtual void setYmax(float value) = 0;
    virtual float Ymin() const = 0;
    virtual void setYmin(float value) = 0;
    virtual bool ShowDetectLevel() const = 0;
    virtual void setShowDetectLevel(bool value) = 0;
    virtual bool ShowLimits() const = 0;
    virtual void setShowLimits(bool value) = 0;
    virtual bool ShowMax() const = 0;
    virtual void setShowMax(bool value) = 0;
    virtual bool ShowMin() const = 0;
    virtual void setShowMin(bool value) = 0;
    // A new element of that document holding the settings (not appended), or none.
    virtual std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& ixdOwner) = 0;
    virtual void Load(const std::shared_ptr<Nelvar::IXmlElement>& ixeIn) = 0;
};

// The record that owns data items: a trend, or a waveform (live or stored as a snapshot).
class IGraphDataParent : public virtual com::Object {
public:
    virtual EZeltorGraphType ParentType() const = 0;
    virtual QString Key() const = 0;
    virtual QString Title() const = 0;
    virtual QString Comment() const = 0;
};

// A drawable data item. It draws its existing data into a pipeline when hooked and pushes each
// new value while the pipeline is held.
class IGraphData : public virtual com::Object {
public:
    virtual std::shared_ptr<IGraphDataParent> Parent() const = 0;
    virtual QString Title() const = 0;
    virtual QString Unit() const = 0;
    virtual EZeltorGraphType GraphType() const = 0;
    // Never none.
    virtual std::shared_ptr<IGraphSettings> Settings() const = 0;
    // The visible X range and X auto-scale state of the graph that shows the item.
    virtual void SyncXScale(int32_t iMinX, int32_t iMaxX, bool fAutoScaleX) = 0;
    virtual void HookPipeline(const std::shared_ptr<IGraphPipeline>& igpPipeline) = 0;
    // Drops the pipeline, first letting it store the graph's view into the settings when asked.
    virtual void ReleasePipeline(bool fStoreSettings = true) = 0;
};

// The drawing side: one pipeline per graph control and data item shown.
class IGraphPipeline : public virtual com::Object {
public:
    virtual int32_t CurrentX() const = 0;
    virtual void SetScaleBoundaries(float rMin, float rSpan) = 0;
    // Binds the pipeline to a graph control and a data item; with no graph it keeps the one it has.
    virtual void Initialize(XGraph* xgrGraph, const std::shared_ptr<IGraphData>& igdData, int32_t iXStartPos = 0) = 0;
    virtual void Clear() = 0;
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    virtual void DrawValue(float rValue1, float rValue2 = 0.0f) = 0;
    virtual void SetLimit(const std::shared_ptr<Nelvar::ILimit>& ilm) = 0;
    virtual void SetDetectLevel(float rLevel) = 0;
    virtual void SetGraphSettings(int32_t iStartTime, int32_t iLength, int32_t iInterval = 0) = 0;
    virtual void StoreSettings(const std::shared_ptr<IGraphSettings>& igsSettings) = 0;
    virtual void SetXScale(int32_t iMin, int32_t iSpan, bool fAutoScale) = 0;
    virtual void SetYScale(double rMin, double rSpan, bool fAutoScale) = 0;
    virtual QString GetXLabel(const com::Value& iXValue) = 0;
    virtual void LegendChange(int32_t iLegendIdx, bool fValue) = 0;
};

} // namespace ZeltorGraph
