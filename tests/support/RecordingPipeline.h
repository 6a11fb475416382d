#pragma once

#include "GraphInterfaces.h"

#include <QString>
#include <QRegularExpression>
#include <QStringList>

#include <memory>

// A graph pipeline that records every call made on it, in order, as text such as
// "DrawValue(12.3, 0)" or "SetXScale(0, 500, true)", so tests can check what a data item draws
// and in which order. StoreSettings writes `storedView` into the settings it is given.
class RecordingPipeline final : public ZeltorGraph::IGraphPipeline {
public:
    QStringList calls;
    // What StoreSettings writes: the view of the graph as the user left it.
    struct View {
        bool autoScaleX = false;
        float xmin = 10.0f;
        float xmax = 20.0f;
        float ymin = -5.0f;
        float ymax = 5.0f;
    } storedView;
    std::weak_ptr<ZeltorGraph::IGraphData> initializedWith;

    int32_t CurrentX() const override { return 0; }
    void SetScaleBoundaries(float rMin, float rSpan) override { record("SetScaleBoundaries", {n(rMin), n(rSpan)}); }
    void Initialize(ZeltorGraph::XGraph* xgrGraph, const std::shared_ptr<ZeltorGraph::IGraphData>& igdData,
                    int32_t iXStartPos) override
    {
        initializedWith = igdData;
        record("Initialize", {xgrGraph ? QStringLiteral("graph") : QStringLiteral("none"), n(iXStartPos)});
    }
    void Clear() override { record("Clear", {}); }
    void BeginUpdate() override { record("BeginUpdate", {}); }
    void EndUpdate() override { record("EndUpdate", {}); }
    void DrawValue(float rValue1, float rValue2) override { record("DrawValue", {n(rValue1), n(rValue2)}); }
    void SetLimit(const std::shared_ptr<Nelvar::ILimit>& ilm) override
    {
        record("SetLimit", {ilm ? QStringLiteral("limit") : QStringLiteral("none")});
    }
    void SetDetectLevel(float rLevel) override { record("SetDetectLevel", {n(rLevel)}); }
    void SetGraphSettings(int32_t iStartTime, int32_t iLength, int32_t iInterval) override
    {
        record("SetGraphSettings", {n(iStartTime), n(iLength), n(iInterval)});
    }
    void StoreSettings(const std::shared_ptr<ZeltorGraph::IGraphSettings>& settings) override
    {
        record("StoreSettings", {});
        settings->setAutoScaleX(storedView.autoScaleX);
        settings->setXmin(storedView.xmin);
        settings->setXmax(storedView.xmax);
        settings->setYmin(storedView.ymin);
        settings->setYmax(storedView.ymax);
    }
    void SetXScale(int32_t iMin, int32_t iSpan, bool fAutoScale) override
    {
        record("SetXScale", {n(iMin), n(iSpan), b(fAutoScale)});
    }
    void SetYScale(double rMin, double rSpan, bool fAutoScale) override
    {
        record("SetYScale", {n(rMin), n(rSpan), b(fAutoScale)});
    }
    QString GetXLabel(const com::Value&) override { return {}; }
    void LegendChange(int32_t iLegendIdx, bool fValue) override { record("LegendChange", {n(iLegendIdx), b(fValue)}); }

    // The recorded calls whose text starts with `name`.
    QStringList callsTo(const QString& name) const { return calls.filter(QRegularExpression(QLatin1Char('^') + name)); }

private:
    static QString n(double value) { return QString::number(value, 'g', 9); }
    static QString b(bool value) { return value ? QStringLiteral("true") : QStringLiteral("false"); }
    void record(const char* name, const QStringList& arguments)
    {
        calls << QString::fromLatin1(name) + QLatin1Char('(') + arguments.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
};
