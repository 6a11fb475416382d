#include "data/CParameterDef.h"
#include "data/CParameterList.h"
#include "data/DataErrors.h"

#include "CaughtError.h"
#include "CompactXml.h"
#include "HostFixture.h"

#include "EUnit.h"
#include "HostServices.h"
#include "Xml.h"

using namespace ZeltorTests;

class ParameterListTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        document = Nelvar::xmlService().CreateDocument();
    }

    static CParameterList listOf(const QStringList& keys)
    {
        CParameterList list;
        for (const QString& key : keys)
            list.Add(key);
        return list;
    }

    static QStringList selectedKeys(const CParameterList& list)
    {
        QStringList keys;
        for (const auto& definition : list)
            if (definition->Selected())
                keys << definition->Key();
        return keys;
    }

    std::shared_ptr<Nelvar::IXmlElement> parsed(const QString& xml)
    {
        document->LoadXml(xml);
        return document->DocumentElement();
    }

    const QStringList ventilatorKeys{"FLOW", "PRES", "VOLU", "BRRA", "TIVO", "INPF", "INPP", "PEPR", "MEIP", "MIVO",
                                     "IERA", "INHO", "INPE", "EXPE", "EXPF", "TEMP", "OXLE", "MEEP", "ATPR"};
    std::shared_ptr<Nelvar::IXmlDocument> document;
};

TEST_F(ParameterListTest, AddedKeysAreSelectedAndFoundByPositionOrKey)
{
    const CParameterList list = listOf({"FLOW", "PRES", "VOLU", "BRRA", "TIVO", "IERA"});
    EXPECT_EQ(list.Count(), 6);
    EXPECT_EQ(list.Count(true), 6);
    EXPECT_EQ(list.Item(4)->Key(), QStringLiteral("BRRA"));
    EXPECT_EQ(list.Item(QStringLiteral("TIVO"))->ValueFormat(), QStringLiteral("0.000"));
    EXPECT_EQ(caughtError([&] { list.Item(QStringLiteral("OXLE")); }).number(), com::errSubscript);
    EXPECT_EQ(caughtError([&] { list.Item(7); }).number(), com::errSubscript);
    CParameterList twice = listOf({"BRRA"});
    EXPECT_EQ(caughtError([&] { twice.Add(QStringLiteral("BRRA")); }).number(), com::errDuplicateKey);
}

TEST_F(ParameterListTest, PredefinedViewsKeepTheChannelsAndSelectTheirParameters)
{
    CParameterList list = listOf(ventilatorKeys + QStringList{"ACPR", "HIPR"});
    const struct {
        int32_t view;
        QStringList selected;
    } cases[] = {
        {epvRate, {"FLOW", "PRES", "VOLU", "BRRA", "IERA"}},
        {epvTime, {"FLOW", "PRES", "VOLU", "IERA", "INPE", "EXPE"}},
        {epvVolume, {"FLOW", "PRES", "VOLU", "TIVO", "MIVO"}},
        {epvFlow, {"FLOW", "PRES", "VOLU", "INPF", "EXPF"}},
        {epvPressure, {"FLOW", "PRES", "VOLU", "INPP", "PEPR"}},
        {epvCPAPMeasurements, {"FLOW", "PRES", "VOLU", "MEIP", "MEEP"}},
        {epvEnvironment, {"FLOW", "PRES", "VOLU", "TEMP", "OXLE", "ATPR"}},
        {epvTemplate, {"FLOW", "PRES", "VOLU", "BRRA", "TIVO", "INPF", "INPP", "PEPR", "MIVO", "IERA", "INHO", "OXLE"}},
        {epvAll, ventilatorKeys + QStringList{"ACPR", "HIPR"}},
    };
    for (const auto& c : cases) {
        list.SetPredefinedView(c.view);
        EXPECT_EQ(selectedKeys(list), c.selected) << "view " << c.view;
    }
    list.SetPredefinedView(epvRate);
    list.SetPredefinedView(9);
    list.SetPredefinedView(-1);
    EXPECT_EQ(list.Count(true), 5);
    EXPECT_EQ(list.Count(false), 21);
}

TEST_F(ParameterListTest, SelectKeysIsASubstringTest)
{
    CParameterList list = listOf({"FLOW", "BRRA", "TIVO", "IERA"});
    list.SelectKeys({"BRRA TIVO"});
    EXPECT_EQ(selectedKeys(list), (QStringList{"FLOW", "BRRA", "TIVO"}));
    list.SelectKeys({"IERATIVO", "RA"});
    EXPECT_EQ(selectedKeys(list), (QStringList{"FLOW", "TIVO", "IERA"}));
    list.SelectKeys();
    EXPECT_EQ(list.Count(true), 4);
}

TEST_F(ParameterListTest, SaveWritesOneParameterPerSelectedDefinition)
{
    CParameterList list = listOf(ventilatorKeys);
    list.SetPredefinedView(epvRate);
    list.SelectKeys({QString()});
    list.Item(QStringLiteral("FLOW"))->setDisplayUnit(ZeltorConverter::eunFlow_LpMin);
    document->setDocumentElement(list.Save(document));
    EXPECT_EQ(compactXml(document->Xml()),
              QStringLiteral("<ParameterList><Parameter Key=\"FLOW\" DisplayUnit=\"102\" /><Parameter Key=\"PRES\" />"
                             "<Parameter Key=\"VOLU\" /></ParameterList>"));
}

TEST_F(ParameterListTest, LoadSelectsTheStoredParametersWithTheirUnits)
{
    setSetting(QStringLiteral("PressureUnit"), ZeltorConverter::eunPressure_kPa);
    CParameterList list = listOf(ventilatorKeys);
    list.Load(parsed(QStringLiteral("<ParameterList><Parameter Key=\"BRRA\"/>"
                                    "<Parameter Key=\"PEPR\" DisplayUnit=\"2\"/>"
                                    "<Parameter Key=\"INPP\"/></ParameterList>")));
    EXPECT_EQ(selectedKeys(list), (QStringList{"FLOW", "PRES", "VOLU", "BRRA", "INPP", "PEPR"}));
    EXPECT_EQ(list.Item(QStringLiteral("PEPR"))->DisplayUnit(), ZeltorConverter::eunPressure_mmHg);
    EXPECT_EQ(list.Item(QStringLiteral("INPP"))->DisplayUnit(), ZeltorConverter::eunPressure_CmH20);
    EXPECT_EQ(list.Item(QStringLiteral("MEIP"))->DisplayUnit(), ZeltorConverter::eunPressure_kPa);

    // Saved and loaded into a fresh list, the same bytes come out.
    document->setDocumentElement(list.Save(document));
    const QString first = document->Xml();
    CParameterList reloaded = listOf(ventilatorKeys);
    reloaded.Load(parsed(first));
    document->setDocumentElement(reloaded.Save(document));
    EXPECT_EQ(document->Xml(), first);
}

TEST_F(ParameterListTest, LoadFailuresCarryTheListsSource)
{
    CParameterList list = listOf({"FLOW", "BRRA", "TIVO"});
    list.SetPredefinedView(epvAll);

    const com::Error wrongTag = caughtError([&] { list.Load(parsed(QStringLiteral("<Parameters/>"))); });
    EXPECT_EQ(wrongTag.number(), eeParameterDefWrongElement);
    EXPECT_EQ(wrongTag.source(), QStringLiteral("CParameterList"));
    EXPECT_EQ(list.Count(true), 3); // nothing deselected

    const com::Error wrongChild = caughtError([&] {
        list.Load(parsed(QStringLiteral("<ParameterList><Parameter Key=\"BRRA\"/><Param Key=\"TIVO\"/></ParameterList>")));
    });
    EXPECT_EQ(wrongChild.number(), eeParameterDefWrongElement);
    EXPECT_EQ(wrongChild.source(), QStringLiteral("CParameterList"));
    EXPECT_EQ(selectedKeys(list), (QStringList{"FLOW", "BRRA"})); // loaded before the failure

    const com::Error unknownKey = caughtError(
        [&] { list.Load(parsed(QStringLiteral("<ParameterList><Parameter Key=\"OXLE\"/></ParameterList>"))); });
    EXPECT_EQ(unknownKey.number(), com::errSubscript);
    EXPECT_EQ(unknownKey.source(), QStringLiteral("CParameterList"));
}

TEST_F(ParameterListTest, ClonesAreIndependent)
{
    setSetting(QStringLiteral("FlowUnit"), ZeltorConverter::eunFlow_LpSec);
    CParameterList source = listOf({"FLOW", "BRRA", "TIVO"});
    source.Item(QStringLiteral("FLOW"))->setDisplayUnit(ZeltorConverter::eunFlow_LpMin);
    const auto clone = source.Clone();
    ASSERT_EQ(clone->Count(), 3);
    EXPECT_EQ(clone->Item(2)->Key(), QStringLiteral("BRRA"));
    EXPECT_EQ(clone->Item(QStringLiteral("FLOW"))->DisplayUnit(), ZeltorConverter::eunFlow_LpMin);
    clone->Item(QStringLiteral("TIVO"))->setSelected(false);
    EXPECT_TRUE(source.Item(QStringLiteral("TIVO"))->Selected());
    EXPECT_NE(clone->Item(1), source.Item(1));
}
