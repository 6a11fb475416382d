#pragma once

#include "data/CMeasurement.h"
#include "data/CParameterDef.h"
#include "data/CParameterList.h"
#include "data/CTrend.h"
#include "data/CTrendParameter.h"

#include "CompactXml.h"
#include "HostFixture.h"

#include "HostServices.h"
#include "Xml.h"

#include <initializer_list>
#include <memory>
#include <vector>

// A ventilator parameter list (channels, breath parameters, some deselected) and the helpers
// the trend tests share: trends made from it, measurements of a calculation set, records.
class TrendFixture : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        document = Nelvar::xmlService().CreateDocument();
        for (const char* key : {"FLOW", "PRES", "BRRA", "TIVO", "INPF", "OXLE", "ATPR"})
            parameters.Add(QString::fromLatin1(key));
        parameters.Item(QStringLiteral("OXLE"))->setSelected(false);
    }

    // A trend with one trend parameter per selected breath parameter: BRRA, TIVO, INPF, ATPR.
    std::shared_ptr<ZeltorTests::CTrend> newTrend(const QString& key = QStringLiteral("T1"))
    {
        auto trend = std::make_shared<ZeltorTests::CTrend>();
        trend->CreateParameters(key, parameters);
        return trend;
    }

    static QStringList parameterKeys(const ZeltorTests::CTrend& trend)
    {
        QStringList keys;
        for (const auto& parameter : trend)
            keys << parameter->Key();
        return keys;
    }

    // A measurement of a calculation set that has seen these breath values.
    static std::shared_ptr<ZeltorTests::CMeasurement> measurement(const QString& key,
                                                                  std::initializer_list<float> values)
    {
        auto definition = std::make_shared<ZeltorTests::CParameterDef>();
        definition->setKey(key);
        auto m = std::make_shared<ZeltorTests::CMeasurement>();
        m->setParameterDef(definition);
        for (const float value : values)
            m->AddSample(value);
        return m;
    }

    std::shared_ptr<Nelvar::IXmlElement> parsed(const QString& xml)
    {
        document->LoadXml(xml);
        return document->DocumentElement();
    }

    // The document's text with that element as its root.
    QString xmlOf(const std::shared_ptr<Nelvar::IXmlElement>& element)
    {
        document->setDocumentElement(element);
        return document->Xml();
    }

    ZeltorTests::CParameterList parameters;
    std::shared_ptr<Nelvar::IXmlDocument> document;
};
