#pragma once

#include "data/CParameterList.h"
#include "data/CWaveformData.h"
#include "data/CZeltorMeasurementTable.h"

#include "HostFixture.h"
#include "RecordingPipeline.h"

#include "EUnit.h"
#include "HostServices.h"
#include "Xml.h"

#include <functional>
#include <memory>

// The three waveform channels with flow shown in l/s (1000 ml/s draws as 1) on a FLOW graph scale
// of -1000 to 1000 ml/s, and a live waveform "0S" bound to them with a detect level of 1000 ml/s.
class WaveformFixture : public HostFixture {
protected:
    static constexpr int32_t kDetectLevel = 60000; // ml/min

    void SetUp() override
    {
        HostFixture::SetUp();
        setSetting(QStringLiteral("FlowUnit"), ZeltorConverter::eunFlow_LpSec);
        setSetting(QStringLiteral("ScaleFlowMin_mlSec"), -100000);
        setSetting(QStringLiteral("ScaleFlowSpan_mlSec"), 200000);
        for (const char* key : {"FLOW", "PRES", "VOLU"})
            parameters.Add(QString::fromLatin1(key));
        waveform = newWaveform(QStringLiteral("0S"));
    }

    std::shared_ptr<ZeltorTests::CWaveformData> newWaveform(
        const QString& key, const std::shared_ptr<ZeltorTests::CWaveformData>& reference = nullptr) const
    {
        auto data = ZeltorTests::CWaveformData::create();
        data->Initialize(key, parameters, kDetectLevel, reference);
        return data;
    }

    // Samples first, first + 1, ... in the base unit.
    static void fill(ZeltorTests::CZeltorMeasurementTable& table, int32_t count, float first = 0.0f)
    {
        for (int32_t k = 0; k < count; ++k)
            table.AddValue(first + static_cast<float>(k));
    }

    // A pipeline hooked to the table, with what the hooking drew already forgotten.
    static std::shared_ptr<RecordingPipeline> hooked(ZeltorTests::CZeltorMeasurementTable& table)
    {
        auto pipeline = std::make_shared<RecordingPipeline>();
        table.HookPipeline(pipeline);
        pipeline->calls.clear();
        return pipeline;
    }

    // The document text of what `save` makes in a new document; empty when it makes none.
    static QString xmlOf(
        const std::function<std::shared_ptr<Nelvar::IXmlElement>(const std::shared_ptr<Nelvar::IXmlDocument>&)>& save)
    {
        const auto document = Nelvar::xmlService().CreateDocument();
        const auto element = save(document);
        if (!element)
            return {};
        document->setDocumentElement(element);
        return document->Xml();
    }

    static std::shared_ptr<Nelvar::IXmlElement> parsed(const QString& xml)
    {
        const auto document = Nelvar::xmlService().CreateDocument();
        document->LoadXml(xml);
        return document->DocumentElement();
    }

    ZeltorTests::CParameterList parameters;
    std::shared_ptr<ZeltorTests::CWaveformData> waveform;
};
