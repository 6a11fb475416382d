#pragma once

#include "XGraph.h"

#include "data/CParameterList.h"
#include "data/CTrend.h"
#include "data/CTrendParameter.h"
#include "data/CWaveformData.h"
#include "data/CZeltorMeasurementTable.h"

#include "HostFixture.h"
#include "PixelProbe.h"

#include <QImage>
#include <QPointF>

#include <memory>

// The plot's channels and line items as the graph control sets them up.
inline constexpr int kLimitBand = 0;
inline constexpr int kDetectLevelBand = 1;
inline constexpr int kHighLine = 1;
inline constexpr int kLowLine = 2;

// A graph control of a fixed size on the stand-in host, with the ventilator's waveform channels
// and breath parameters to make real data items from: live waveforms, snapshots and trends.
class GraphFixture : public HostFixture {
protected:
    static constexpr int32_t kDetectLevel = 60000; // ml/min

    void SetUp() override
    {
        HostFixture::SetUp();
        for (const char* key : {"FLOW", "PRES", "VOLU", "BRRA", "TIVO"})
            parameters.Add(QString::fromLatin1(key));
        graph = std::make_unique<ZeltorGraph::XGraph>();
        graph->resize(640, 400);
    }

    void TearDown() override
    {
        graph.reset();
        HostFixture::TearDown();
    }

    std::shared_ptr<ZeltorTests::CWaveformData> newWaveform(const QString& key = QStringLiteral("0S")) const
    {
        auto waveform = ZeltorTests::CWaveformData::create();
        waveform->Initialize(key, parameters, kDetectLevel);
        return waveform;
    }

    // A stored snapshot whose three channels hold `count` samples: first, first + 1, ...
    std::shared_ptr<ZeltorTests::CWaveformData> newSnapshot(int32_t count, float first = 0.0f,
                                                            int32_t endTime = 100) const
    {
        auto snapshot = newWaveform(QStringLiteral("S1"));
        for (const auto& table : {snapshot->FlowTable(), snapshot->PressureTable(), snapshot->VolumeTable()})
            for (int32_t k = 0; k < count; ++k)
                table->AddValue(first + static_cast<float>(k));
        snapshot->Freeze(endTime, 0);
        return snapshot;
    }

    // A trend sampled every `interval` seconds, with trend parameters for BRRA and TIVO.
    std::shared_ptr<ZeltorTests::CTrend> newTrend(int32_t interval = 15, int32_t startTime = 0) const
    {
        auto trend = std::make_shared<ZeltorTests::CTrend>();
        trend->CreateParameters(QStringLiteral("T1"), parameters);
        trend->Initialize(QStringLiteral("Trend"), interval, startTime);
        return trend;
    }

    QImage render() const { return graph->grab().toImage(); }

    // Where a plot value lands in the graph control's picture.
    QPointF at(double x, double y) const
    {
        widgets::PlotWidget& plot = graph->plotWidget();
        return plot.toPixels(x, y) + QPointF(plot.pos());
    }

    widgets::PlotModel& plot() const { return graph->PlotControl(); }

    ZeltorTests::CParameterList parameters;
    std::unique_ptr<ZeltorGraph::XGraph> graph;
};
