#pragma once

#include "XGraph.h"

#include "data/CParameterList.h"
#include "data/CTrend.h"
#include "data/CTrendParameter.h"
#include "data/CWaveformData.h"
#include "data/CZeltorMeasurementTable.h"

#include "LungModel.h"
#include "standards/Limit.h"
#include "standards/Standard.h"

#include <QImage>

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>

// What the graph benchmarks and the graph picture draw: the ventilator's three live waveforms fed
// from the lung model at 50 samples per second, each on its own graph; a trend of the breath rate
// with its limits; and a stored pressure snapshot.
class GraphScene {
public:
    static constexpr int32_t kSamplesPerSecond = 50;
    static constexpr int32_t kTrendInterval = 15;

    explicit GraphScene(QSize graphSize = {600, 400})
    {
        for (const char* key : {"FLOW", "PRES", "VOLU", "BRRA", "TIVO"})
            m_parameters.Add(QString::fromLatin1(key));
        m_live->Initialize(QStringLiteral("0S"), m_parameters, 60000);
        for (auto& graph : m_waveformGraphs) {
            graph = std::make_unique<ZeltorGraph::XGraph>();
            graph->resize(graphSize);
        }
        m_waveformGraphs[0]->CreatePipeLine(m_live->FlowTable(), 0);
        m_waveformGraphs[1]->CreatePipeLine(m_live->PressureTable(), 0);
        m_waveformGraphs[2]->CreatePipeLine(m_live->VolumeTable(), 0);
    }

    ~GraphScene()
    {
        for (auto& graph : m_waveformGraphs)
            graph->DestroyPipeline(false);
    }

    // One 50 Hz sample of the lung into each live table; every second sample completes an
    // instrument packet, which the tables draw.
    void addSample()
    {
        const simulator::WaveformSample sample = m_lung.sample(m_sampleIndex++);
        m_live->FlowTable()->AddValue(static_cast<float>(sample.flowMlPerS));
        m_live->PressureTable()->AddValue(static_cast<float>(sample.pressureCmH2O));
        m_live->VolumeTable()->AddValue(static_cast<float>(sample.volumeL));
        if (m_sampleIndex % 2 == 0)
            m_live->DrawLatest();
    }

    // One frame of each waveform graph's plot, as its repaint draws it.
    void paintWaveformPlots(QImage& frame) const
    {
        for (const auto& graph : m_waveformGraphs)
            graph->plotWidget().render(&frame);
    }

    const std::array<std::unique_ptr<ZeltorGraph::XGraph>, 3>& waveformGraphs() const { return m_waveformGraphs; }

    // A trend of the breath rate over `seconds`, sampled every `interval` seconds, with its limits
    // applied and shown.
    std::shared_ptr<ZeltorTests::CTrendParameter> breathRateTrend(int32_t seconds, int32_t interval = kTrendInterval)
    {
        m_trend = std::make_shared<ZeltorTests::CTrend>();
        m_trend->CreateParameters(QStringLiteral("T1"), m_parameters);
        m_trend->Initialize(QStringLiteral("Night"), interval, 0);
        const auto& rate = m_trend->Parameter(QStringLiteral("BRRA"));
        const auto limit = std::make_shared<host::Limit>();
        limit->Initialize(QStringLiteral("BRRA"), QString(), QStringLiteral("18"), QStringLiteral("12"));
        const auto standard = std::make_shared<host::Standard>();
        standard->Initialize(QStringLiteral("ISO"), QStringLiteral("ISO"), 1);
        standard->Add(limit);
        rate->ApplyLimits(standard);
        rate->Settings()->setShowLimits(true);
        for (int32_t k = 1; k * interval <= seconds; ++k) {
            const double drift = 1.5 * std::sin(k * interval / 600.0);
            rate->AddSample(static_cast<float>(14.2 + drift), static_cast<float>(15.8 + drift + (k % 3) * 0.2));
        }
        return rate;
    }

    // A stored snapshot of the last ten seconds of the lung, its X window over the whole of it.
    std::shared_ptr<ZeltorTests::CWaveformData> snapshot()
    {
        auto stored = ZeltorTests::CWaveformData::create();
        stored->Initialize(QStringLiteral("S1"), m_parameters, 60000);
        for (int64_t k = 0; k < 10 * kSamplesPerSecond; ++k) {
            const simulator::WaveformSample sample = m_lung.sample(k);
            stored->FlowTable()->AddValue(static_cast<float>(sample.flowMlPerS));
            stored->PressureTable()->AddValue(static_cast<float>(sample.pressureCmH2O));
            stored->VolumeTable()->AddValue(static_cast<float>(sample.volumeL));
        }
        stored->Freeze(70, 0);
        stored->setTitle(QStringLiteral("Plateau"));
        for (const auto& table : {stored->FlowTable(), stored->PressureTable(), stored->VolumeTable()})
            table->Settings()->setAutoScaleX(true);
        return stored;
    }

private:
    ZeltorTests::CParameterList m_parameters;
    const std::shared_ptr<ZeltorTests::CWaveformData> m_live = ZeltorTests::CWaveformData::create();
    std::array<std::unique_ptr<ZeltorGraph::XGraph>, 3> m_waveformGraphs;
    simulator::LungModel m_lung{simulator::LungSettings{}};
    int64_t m_sampleIndex = 0;
    std::shared_ptr<ZeltorTests::CTrend> m_trend;
};
