#include "HostFixture.h"

#include "CParameterView.h"

#include "HostServices.h"
#include "Xml.h"
#include "com/ClassRegistry.h"
#include "Registration.h"

using namespace ZeltorVTI;

class ParameterViewTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        document = Nelvar::xmlService().CreateDocument();
    }

    std::shared_ptr<Nelvar::IXmlDocument> document;
};

TEST_F(ParameterViewTest, NewViewIsEmpty)
{
    const CParameterView view;
    EXPECT_EQ(view.SelectedCount(), 0);
    EXPECT_EQ(view.SlotNumber(), 0);
    EXPECT_EQ(view.Description(), QString());
    EXPECT_EQ(view.BuildUploadParameters(), (QStringList{QStringLiteral("0"), QString()}));
}

TEST_F(ParameterViewTest, PredefinedViewsSelectExactlyTheirParameters)
{
    CParameterView view;
    view.setInspiratoryHold(true);
    view.SetPredefinedViewRate(0);
    view.SetPredefinedViewRate(8);
    EXPECT_EQ(view.SelectedCount(), 1);

    const std::pair<EPredefinedView, QStringList> cases[] = {
        {epvRate, {"BRRA", "IERA"}},
        {epvTime, {"EXPE", "IERA", "INPE"}},
        {epvVolume, {"MIVO", "TIVO"}},
        {epvFlow, {"EXPF", "INPF"}},
        {epvPressure, {"INPP", "PEPR"}},
        {epvCPAPMeasurements, {"MEEP", "MEIP"}},
        {epvEnvironment, {"OXLE", "TEMP"}},
    };
    view.setSlotNumber(-4);
    view.setDescription(QStringLiteral("kept"));
    for (const auto& [predefined, keys] : cases) {
        view.SetPredefinedViewRate(predefined);
        EXPECT_EQ(view.BuildUploadParameters(), QStringList({QStringLiteral("-4"), QStringLiteral("kept")}) + keys)
            << predefined;
        EXPECT_EQ(view.SelectedCount(), keys.size());
    }
}

TEST_F(ParameterViewTest, FullViewUploadsSeventeenParametersInTheInstrumentsOrder)
{
    CParameterView view;
    view.setSlotNumber(9);
    view.SetAllValues(true);
    EXPECT_EQ(view.SelectedCount(), 15);
    EXPECT_EQ(view.BuildUploadParameters(),
              (QStringList{"9", "", "BRRA", "EXPE", "EXPF", "IERA", "INPE", "INHO", "INPF", "INPP", "MEEP", "MEIP",
                           "MIVO", "OXLE", "PEPR", "TEMP", "TIVO"}));
    const auto copy = view.Clone();
    EXPECT_EQ(copy->BuildUploadParameters(), view.BuildUploadParameters());
    view.SetAllValues(false);
    EXPECT_EQ(copy->SelectedCount(), 15);
}

TEST_F(ParameterViewTest, SavesAndLoadsTheSelections)
{
    CParameterView view;
    view.setExpiratoryPeakflow(true);
    view.setBreathRate(true);
    view.setOxygenLevel(true);
    const auto saved = view.Save(document);
    ASSERT_EQ(saved->TagName(), QStringLiteral("ParameterView"));
    const auto children = saved->ChildElements();
    QStringList names;
    for (int32_t i = 0; i < children->Count(); ++i)
        names << children->Item(i)->TagName();
    EXPECT_EQ(names, (QStringList{"BreathRate", "ExpiratoryPeakFlow", "OxygenLevel"}));

    CParameterView loaded;
    loaded.setSlotNumber(5);
    loaded.setDescription(QStringLiteral("mine"));
    loaded.setTidalVolume(true);
    loaded.Load(saved);
    EXPECT_EQ(loaded.BuildUploadParameters(), (QStringList{"5", "mine", "BRRA", "EXPF", "OXLE"}));
}

TEST_F(ParameterViewTest, LoadingMatchesNamesExactly)
{
    const auto element = document->CreateElement(QStringLiteral("Anything"));
    element->AddChildElement(QStringLiteral("ExpiratoryPeakflow"));
    element->AddChildElement(QStringLiteral("breathrate"));
    element->AddChildElement(QStringLiteral("InspiratoryHold"));
    CParameterView view;
    view.SetAllValues(true);
    view.Load(element);
    EXPECT_EQ(view.SelectedCount(), 1);
    EXPECT_TRUE(view.InspiratoryHold());

    view.Load(document->CreateElement(QStringLiteral("ParameterView")));
    EXPECT_EQ(view.SelectedCount(), 0);
}

TEST_F(ParameterViewTest, LoadAndSaveWithoutAnObjectRaiseWithTheirSource)
{
    CParameterView view;
    for (const auto& call : std::vector<std::function<void()>>{[&] { view.Load(nullptr); },
                                                              [&] { view.Save(nullptr); }}) {
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const com::Error& error) {
            EXPECT_EQ(error.number(), com::errObjectNotSet);
            EXPECT_EQ(error.source(), QStringLiteral("ZeltorVTI.CParameterView"));
        }
    }
}

TEST_F(ParameterViewTest, IsCreatableByItsProgIdAndClassId)
{
    com::ClassRegistry registry;
    registerClasses(registry);
    EXPECT_TRUE(registry.createAs<CParameterView>(QStringLiteral("zeltorvti.cparameterview")));
    EXPECT_TRUE(registry.createAs<CParameterView>(QStringLiteral("{08CF2A43-715D-11D6-9B30-0050DA3393D8}")));
}
