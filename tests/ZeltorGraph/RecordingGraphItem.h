#pragma once

#include "GraphInterfaces.h"

#include "data/CGraphSettings.h"

#include "com/Error.h"

#include <QString>

#include <memory>
#include <utility>
#include <vector>

// A drawable data item whose numbers a test sets exactly: graph type, unit and settings as given,
// no data of its own. It records the X ranges reported to it and every release, and keeps a second
// reference to the pipeline it was hooked to (`lastPipeline`) that a release does not drop, so a
// test can still drive a pipeline after its graph let it go.
class RecordingGraphItem final : public ZeltorGraph::IGraphData {
public:
    struct XReport {
        int32_t minimum = 0;
        int32_t maximum = 0;
        bool autoScale = false;
    };

    explicit RecordingGraphItem(ZeltorGraph::EZeltorGraphType graphType = ZeltorGraph::egtWaveformGraph)
        : type(graphType)
    {
    }

    ZeltorGraph::EZeltorGraphType type;
    QString unit = QStringLiteral("mbar");
    std::shared_ptr<ZeltorTests::CGraphSettings> settings = std::make_shared<ZeltorTests::CGraphSettings>();
    // ReleasePipeline raises after it dropped the pipeline.
    bool failRelease = false;

    std::shared_ptr<ZeltorGraph::IGraphPipeline> pipeline;
    std::shared_ptr<ZeltorGraph::IGraphPipeline> lastPipeline;
    std::vector<XReport> xReports;
    std::vector<bool> releases; // the fStoreSettings of each ReleasePipeline

    std::shared_ptr<ZeltorGraph::IGraphDataParent> Parent() const override { return nullptr; }
    QString Title() const override { return QStringLiteral("Item"); }
    QString Unit() const override { return unit; }
    ZeltorGraph::EZeltorGraphType GraphType() const override { return type; }
    std::shared_ptr<ZeltorGraph::IGraphSettings> Settings() const override { return settings; }
    void SyncXScale(int32_t iMinX, int32_t iMaxX, bool fAutoScaleX) override
    {
        xReports.push_back({iMinX, iMaxX, fAutoScaleX});
    }
    void HookPipeline(const std::shared_ptr<ZeltorGraph::IGraphPipeline>& igpPipeline) override
    {
        pipeline = igpPipeline;
        lastPipeline = igpPipeline;
    }
    void ReleasePipeline(bool fStoreSettings = true) override
    {
        releases.push_back(fStoreSettings);
        const auto released = std::exchange(pipeline, nullptr);
        if (released && fStoreSettings)
            released->StoreSettings(settings);
        if (failRelease)
            throw com::Error(5, QStringLiteral("RecordingGraphItem"), QStringLiteral("release failed"));
    }
};
