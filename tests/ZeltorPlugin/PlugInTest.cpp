#include "FakeTestElements.h"
#include "PlugInFixture.h"

#include "CaughtError.h"

#include "elements/CConfigVentilator.h"
#include "data/CParameterDef.h"
#include "data/CParameterList.h"
#include "IZeltorConfiguration.h"
#include "TestTemplate.h"

#include "HostErrors.h"
#include "testmodel/TestInfo.h"

#include "Standards.h"
#include "TestElement.h"
#include "Tests.h"

#include "com/ClassRegistry.h"

#include <QFile>
#include <QImage>

#include <sys/stat.h>

namespace {

const QString kPlugInSource = QStringLiteral("DravikZeltor.CZeltorPlugIn");

constexpr int32_t eePlugInNotInitialized = static_cast<int32_t>(0x8004A229);
constexpr int32_t eeTemplateNotFound = static_cast<int32_t>(0x8004A22A);
constexpr int32_t eeTemplateInvalid = static_cast<int32_t>(0x8004A22C);
constexpr int32_t eeTestNotFound = static_cast<int32_t>(0x8004A233);
constexpr int32_t eeTemplateFileError = static_cast<int32_t>(0x8004A28F);

const QStringList kFakeClasses{"Fake.Element", "Fake.PassedOver", "Fake.NoClone", "Fake.PlainConfig", "Fake.Group"};

// A template document whose "TemplateData" holds `entries`.
QString templateWith(const QString& entries)
{
    return QStringLiteral("<Catalogue><Other/><TemplateData>%1</TemplateData></Catalogue>").arg(entries);
}

QString entry(const QString& className, const QString& id, const QString& children = {})
{
    return QStringLiteral("<TestElement ClassName=\"%1\" ID=\"%2\">%3</TestElement>").arg(className, id, children);
}

class PlugInTest : public PlugInFixture {
protected:
    void SetUp() override
    {
        PlugInFixture::SetUp();
        FakeBehaviour passedOver;
        passedOver.initializeError = ZeltorPlugin::kPassedOverHostError;
        FakeBehaviour noClone;
        noClone.noClone = true;
        FakeBehaviour plainConfiguration;
        plainConfiguration.configuration = std::make_shared<PlainConfiguration>();
        addFake(QStringLiteral("Fake.Element"), {});
        addFake(QStringLiteral("Fake.PassedOver"), passedOver);
        addFake(QStringLiteral("Fake.NoClone"), noClone);
        addFake(QStringLiteral("Fake.PlainConfig"), plainConfiguration);
        com::ClassRegistry::instance().add(
            {QStringLiteral("Fake.Group"), {}, [] { return std::make_shared<FakeTestGroup>(); }});
    }

    void TearDown() override
    {
        plugIn.reset();
        for (const QString& name : kFakeClasses)
            com::ClassRegistry::instance().remove(name);
        PlugInFixture::TearDown();
    }

    static void addFake(const QString& progId, FakeBehaviour behaviour)
    {
        com::ClassRegistry::instance().add(
            {progId, {}, [behaviour] { return std::make_shared<FakeTestElement>(behaviour); }});
    }

    std::shared_ptr<Nelvar::ITestElement> prototype(int32_t testID) const
    {
        return std::dynamic_pointer_cast<Nelvar::ITestCollection>(plugIn->Tests())->ItemByTestID(testID);
    }

    static const host::TestInfo& infoOf(const Nelvar::ITestElement& element)
    {
        return *std::dynamic_pointer_cast<host::TestInfo>(element.Info());
    }
};

TEST_F(PlugInTest, IdentityAnswersAtOnceAndTheCatalogueOnlyAfterInitialize)
{
    EXPECT_EQ(plugIn->ID(), QStringLiteral("Zeltor"));
    EXPECT_EQ(plugIn->Name(), QStringLiteral("Zeltor Ventilator tester"));
    EXPECT_EQ(plugIn->Flags(), 0);
    EXPECT_EQ(plugIn->Version(), QStringLiteral("1.0.0"));
    EXPECT_EQ(plugIn->PlugInMenu(), nullptr);
    EXPECT_EQ(plugIn->CreateDUTData(), nullptr);
    EXPECT_EQ(plugIn->Setup(), nullptr);

    for (const com::Error& error : {caughtError([&] { plugIn->Tests(); }), caughtError([&] { plugIn->CreateTest(100); })}) {
        EXPECT_EQ(error.number(), eePlugInNotInitialized);
        EXPECT_EQ(error.flags(), 8);
        EXPECT_EQ(error.source(), kPlugInSource);
    }
}

TEST_F(PlugInTest, EveryControlPanelCallGivesANewPanelThatHasADialogAndStoresNothing)
{
    const auto first = plugIn->ControlPanel();
    const auto second = plugIn->ControlPanel();
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, second);
    EXPECT_TRUE(first->HasDialog());
    first->setSettings(QStringLiteral("kept?"));
    EXPECT_EQ(first->Settings(), QString());
}

TEST_F(PlugInTest, IconsAreTheLibrarysBitmapsInTheSizesTheyAreMadeFor)
{
    struct Case {
        int32_t test;
        int32_t size;
        QSize pixels; // empty: no picture
        bool palette;
    };
    const Case cases[] = {
        {0, Nelvar::eisSize16x16, {16, 16}, true},   {0, Nelvar::eisSize32x16, {}, false},
        {0, Nelvar::eisSize32x32, {32, 32}, false},  {100, Nelvar::eisSize16x16, {16, 16}, false},
        {100, Nelvar::eisSize32x16, {32, 16}, false}, {100, Nelvar::eisSize32x32, {}, false},
        {200, Nelvar::eisSize32x16, {32, 16}, false}, {300, Nelvar::eisSize16x16, {16, 16}, false},
        {400, Nelvar::eisSize32x16, {32, 16}, false}, {500, Nelvar::eisSize16x16, {16, 16}, false},
        {500, Nelvar::eisSize32x16, {32, 16}, false}, {600, Nelvar::eisSize16x16, {}, false},
        {100, 3, {}, false},
    };
    for (const Case& c : cases) {
        const QImage icon = plugIn->Icon(c.test, c.size, 0);
        EXPECT_EQ(icon.isNull(), c.pixels.isEmpty()) << c.test << " size " << c.size;
        if (icon.isNull())
            continue;
        EXPECT_EQ(icon.size(), c.pixels) << c.test << " size " << c.size;
        EXPECT_EQ(icon.format() == QImage::Format_Indexed8, c.palette) << c.test << " size " << c.size;
        EXPECT_FALSE(icon.hasAlphaChannel());
    }
    // The colour argument changes nothing.
    EXPECT_EQ(plugIn->Icon(0, Nelvar::eisSize16x16, 7), plugIn->Icon(0, Nelvar::eisSize16x16, 0));
    EXPECT_NE(plugIn->Icon(400, Nelvar::eisSize16x16, 0), plugIn->Icon(500, Nelvar::eisSize16x16, 0));
}

TEST_F(PlugInTest, InitializeMakesAPrototypePerTemplateEntryWithItsTextsAndExpectedResults)
{
    useTemplate(templateWith(
        entry(QStringLiteral("zeltortests.ctestventilator"), QStringLiteral("100.5"),
              QStringLiteral("<Type LID=\"20040::Ventilator performance test\"/>"
                             "<Parameter LID=\"20041::Breath parameters\"/>"
                             "<Name LID=\"20011::Ventilator test\"/><Name LID=\"20099::Renamed\"/>"
                             "<Description LID=\"20046::Runs the ventilator\">Not this text</Description>"
                             "<ExpectedResult><Standard Name=\"Default\" Key2=\"Defaults\" Kind=\"1\">"
                             "<Limit Name=\"BRRA\" Unit=\"BPM\" BaseUnit=\"BPM\" Upper=\"60\" UpperEnabled=\"True\"/>"
                             "</Standard></ExpectedResult>"))
        + QStringLiteral("<!-- notes --><Notes/>")
        + entry(QStringLiteral("Fake.Element"), QStringLiteral("300"),
                QStringLiteral("<Name/><Description LID=\"\"/><Unknown LID=\"1::x\"/>"))));
    plugIn->Initialize(nullptr);

    EXPECT_NE(plugIn->Setup(), nullptr);
    EXPECT_EQ(plugIn->Tests(), plugIn->Tests());
    EXPECT_EQ(catalogue(), (std::vector<int32_t>{100, 300}));

    const auto ventilator = prototype(100);
    EXPECT_EQ(ventilator->PlugInID(), QStringLiteral("Zeltor"));
    EXPECT_EQ(ventilator->ID(), 100); // 100.5 rounds to even
    const host::TestInfo& info = infoOf(*ventilator);
    EXPECT_EQ(info.TypeName(), QStringLiteral("Ventilator performance test"));
    EXPECT_EQ(info.TypeText(), QStringLiteral("Breath parameters"));
    EXPECT_EQ(info.Name(), QStringLiteral("Renamed"));
    EXPECT_EQ(info.Description(), QStringLiteral("Runs the ventilator"));
    const auto standards = ventilator->Limits()->Standards();
    ASSERT_NE(standards, nullptr);
    EXPECT_EQ(standards->Count(), 1);

    const auto fake = std::dynamic_pointer_cast<FakeTestElement>(prototype(300));
    ASSERT_NE(fake, nullptr);
    EXPECT_EQ(fake->ID(), 300);
    EXPECT_EQ(fake->info().Name(), QString());
    EXPECT_EQ(fake->info().Description(), QString());
}

TEST_F(PlugInTest, TemplateFaultsFailInitializeAndLeaveNoPrototypeAlive)
{
    const QString good = entry(QStringLiteral("Fake.Element"), QStringLiteral("200"));
    const QString templatePath = files.filePath(QStringLiteral("template.mpc"));
    // A pipe without a writer: opening it to read would wait for ever.
    const QString pipe = files.filePath(QStringLiteral("pipe.mpc"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    // Beyond the largest file a document reads; sparse, so it takes no room.
    QFile oversize(files.filePath(QStringLiteral("oversize.mpc")));
    ASSERT_TRUE(oversize.open(QIODevice::WriteOnly));
    ASSERT_TRUE(oversize.resize(qint64{512} * 1024 * 1024 + 1));
    oversize.close();
    struct Case {
        const char* fault;
        QString content; // empty: the path below is the template
        QString path;
        int32_t number;
        QString described; // a part of the description
    };
    const Case cases[] = {
        {"missing file", {}, files.filePath(QStringLiteral("missing.mpc")), eeTemplateNotFound, {}},
        {"folder", {}, files.path(), eeTemplateFileError, files.path() + QStringLiteral(": is a folder")},
        {"endless device",
         {},
         QStringLiteral("/dev/zero"),
         eeTemplateFileError,
         QStringLiteral("/dev/zero: is not a regular file")},
        {"pipe", {}, pipe, eeTemplateFileError, pipe + QStringLiteral(": is not a regular file")},
        {"beyond the largest file",
         {},
         oversize.fileName(),
         eeTemplateFileError,
         oversize.fileName() + QStringLiteral(": is larger than 512 MiB")},
        {"not XML", QStringLiteral("<Catalogue><TemplateData>"), {}, host::errors::kXmlMalformed, templatePath},
        {"no TemplateData", QStringLiteral("<Catalogue><Other/></Catalogue>"), {}, eeTemplateInvalid, templatePath},
        {"empty TemplateData",
         QStringLiteral("<Catalogue><TemplateData/></Catalogue>"),
         {},
         eeTemplateInvalid,
         templatePath},
        {"no class name",
         templateWith(good + QStringLiteral("<TestElement ID=\"300\"/>")),
         {},
         eeTemplateInvalid,
         templatePath},
        {"empty ID",
         templateWith(good + entry(QStringLiteral("Fake.Element"), {})),
         {},
         eeTemplateInvalid,
         templatePath},
        {"nested entry without ID",
         templateWith(good
                      + entry(QStringLiteral("Fake.Group"), QStringLiteral("600"),
                              QStringLiteral("<TestElement ClassName=\"Fake.Element\"/>"))),
         {},
         eeTemplateInvalid,
         templatePath},
        {"ID beyond 32 bits",
         templateWith(good + entry(QStringLiteral("Fake.Element"), QStringLiteral("99999999999"))),
         {},
         com::errOverflow,
         QStringLiteral("The test template \"%1\": ID of \"TestElement\" is \"99999999999\", out of range")
             .arg(templatePath)},
        {"unknown class",
         templateWith(good + entry(QStringLiteral("Fake.Unknown"), QStringLiteral("300"))),
         {},
         com::errCannotCreateObject,
         QStringLiteral("Fake.Unknown")},
        {"no test element",
         templateWith(good + entry(QStringLiteral("Nelvar.Standard"), QStringLiteral("300"))),
         {},
         com::errTypeMismatch,
         QStringLiteral("The test template \"%1\": ClassName of \"TestElement\" is \"Nelvar.Standard\", not a test "
                        "element")
             .arg(templatePath)},
        {"the plug-in itself",
         templateWith(good + entry(QStringLiteral("ZeltorPlugin.CZeltorPlugin"), QStringLiteral("300"))),
         {},
         com::errTypeMismatch,
         QStringLiteral("ClassName of \"TestElement\" is \"ZeltorPlugin.CZeltorPlugin\", not a test element")},
    };
    for (const Case& c : cases) {
        if (c.content.isEmpty())
            setTemplatePath(c.path);
        else
            useTemplate(c.content);
        const com::Error error = caughtError([&] { plugIn->Initialize(nullptr); });
        EXPECT_EQ(error.number(), c.number) << c.fault;
        EXPECT_EQ(error.source(), kPlugInSource) << c.fault;
        EXPECT_TRUE(error.description().contains(c.described)) << c.fault << ": " << error.description().toStdString();
        EXPECT_EQ(FakeTestElement::alive, 0) << c.fault;
        EXPECT_NE(plugIn->Setup(), nullptr) << c.fault;
        EXPECT_EQ(caughtError([&] { plugIn->Tests(); }).number(), eePlugInNotInitialized) << c.fault;
    }
}

TEST_F(PlugInTest, ExpectedResultsThatCannotBeReadMakeTheTemplateInvalidAndKeepTheCatalogue)
{
    const auto expectedResult = [](const QString& standard, const QString& limit) {
        return QStringLiteral("<ExpectedResult><Standard Name=\"Default\" Key2=\"Defaults\" %1>"
                              "<Limit Name=\"ACPR\" Unit=\"cmH2O\" BaseUnit=\"cmH2O\" %2/>"
                              "</Standard></ExpectedResult>")
            .arg(standard, limit);
    };
    useTemplate(templateWith(entry(QStringLiteral("ZeltorTests.CTestZeltor"), QStringLiteral("400"),
                                   expectedResult(QStringLiteral("Kind=\"1\""), QStringLiteral("Upper=\"5\"")))));
    plugIn->Initialize(nullptr);
    const auto kept = prototype(400);
    ASSERT_EQ(kept->Limits()->Standards()->Count(), 1);

    const struct {
        const char* fault;
        QString entries;
    } cases[] = {
        {"upper not a number",
         entry(QStringLiteral("ZeltorTests.CTestZeltor"), QStringLiteral("200"),
               expectedResult(QStringLiteral("Kind=\"1\""), QStringLiteral("Upper=\"NaN\" UpperEnabled=\"True\"")))},
        {"lower not a number",
         entry(QStringLiteral("ZeltorTests.CTestZeltor"), QStringLiteral("200"),
               expectedResult(QStringLiteral("Kind=\"1\""), QStringLiteral("Lower=\"low\"")))},
        {"upper beyond a Single",
         entry(QStringLiteral("ZeltorTests.CTestZeltor"), QStringLiteral("200"),
               expectedResult(QStringLiteral("Kind=\"1\""), QStringLiteral("Upper=\"1e39\"")))},
        {"enabled flag not a flag",
         entry(QStringLiteral("ZeltorTests.CTestZeltor"), QStringLiteral("200"),
               expectedResult(QStringLiteral("Kind=\"1\""), QStringLiteral("UpperEnabled=\"Yes\"")))},
        {"standard kind not a number",
         entry(QStringLiteral("ZeltorTests.CTestZeltor"), QStringLiteral("200"),
               expectedResult(QStringLiteral("Kind=\"first\""), {}))},
        {"test without limit data",
         entry(QStringLiteral("Fake.Element"), QStringLiteral("200"),
               expectedResult(QStringLiteral("Kind=\"1\""), {}))},
        {"nested test",
         entry(QStringLiteral("Fake.Group"), QStringLiteral("600"),
               entry(QStringLiteral("ZeltorTests.CTestZeltor"), QStringLiteral("200"),
                     expectedResult(QStringLiteral("Kind=\"1\""), QStringLiteral("Upper=\"NaN\""))))},
    };
    for (const auto& c : cases) {
        // The damaged test stands after a good one, which must not survive either.
        useTemplate(templateWith(entry(QStringLiteral("Fake.Element"), QStringLiteral("300")) + c.entries));
        const com::Error error = caughtError([&] { plugIn->Initialize(nullptr); });
        EXPECT_EQ(error.number(), eeTemplateInvalid) << c.fault;
        EXPECT_EQ(error.source(), kPlugInSource) << c.fault;
        const std::string description = error.description().toStdString();
        EXPECT_TRUE(error.description().contains(files.filePath(QStringLiteral("template.mpc")))) << description;
        EXPECT_TRUE(error.description().contains(QStringLiteral("test 200"))) << description;
        EXPECT_EQ(FakeTestElement::alive, 0) << c.fault;
        EXPECT_EQ(catalogue(), (std::vector<int32_t>{400})) << c.fault;
        EXPECT_EQ(prototype(400), kept) << c.fault;
        EXPECT_EQ(kept->Limits()->Standards()->Count(), 1) << c.fault;
    }
}

TEST_F(PlugInTest, ATemplateDataWithoutEntriesGivesAnEmptyCatalogue)
{
    useTemplate(templateWith(QStringLiteral("<Other/>")));
    plugIn->Initialize(nullptr);
    EXPECT_TRUE(catalogue().empty());
    const com::Error error = caughtError([&] { plugIn->CreateTest(100); });
    EXPECT_EQ(error.number(), eeTestNotFound);
    EXPECT_EQ(error.flags(), 1);
}

TEST_F(PlugInTest, AnEntryWhoseCreationIsPassedOverAddsNothing)
{
    useTemplate(templateWith(entry(QStringLiteral("Fake.Element"), QStringLiteral("200"))
                             + entry(QStringLiteral("Fake.PassedOver"), QStringLiteral("300"))
                             + entry(QStringLiteral("Fake.Element"), QStringLiteral("400"))));
    plugIn->Initialize(nullptr);
    EXPECT_EQ(catalogue(), (std::vector<int32_t>{200, 400}));
    EXPECT_EQ(FakeTestElement::alive, 2);
}

TEST_F(PlugInTest, NestedEntriesBecomeMembersOfTheirGroupOnly)
{
    useTemplate(templateWith(
        entry(QStringLiteral("Fake.Group"), QStringLiteral("600"),
              entry(QStringLiteral("Fake.Element"), QStringLiteral("601")) + QStringLiteral("<Other/>")
                  + entry(QStringLiteral("Fake.Element"), QStringLiteral("602")))
        + entry(QStringLiteral("Fake.Element"), QStringLiteral("700"),
                entry(QStringLiteral("Fake.Element"), QStringLiteral("701")))));
    plugIn->Initialize(nullptr);
    EXPECT_EQ(catalogue(), (std::vector<int32_t>{600, 700}));
    const auto group = std::dynamic_pointer_cast<FakeTestGroup>(prototype(600));
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->members.size(), 2u);
    EXPECT_EQ(group->members[0]->TestID(), 601);
    EXPECT_EQ(group->members[1]->TestID(), 602);
    EXPECT_EQ(FakeTestElement::alive, 4); // an entry nested in an element that is no group is not made
}

TEST_F(PlugInTest, AFailedInitializeKeepsTheCatalogueAndASuccessfulOneReplacesIt)
{
    useTemplate(templateWith(entry(QStringLiteral("Fake.Element"), QStringLiteral("200"))));
    plugIn->Initialize(nullptr);
    const std::weak_ptr<Nelvar::ITestElement> first = prototype(200);
    const auto firstSetup = plugIn->Setup();

    useTemplate(QStringLiteral("<Catalogue/>"));
    EXPECT_EQ(caughtError([&] { plugIn->Initialize(nullptr); }).number(), eeTemplateInvalid);
    EXPECT_NE(plugIn->Setup(), firstSetup);
    EXPECT_EQ(catalogue(), (std::vector<int32_t>{200}));

    useTemplate(templateWith(entry(QStringLiteral("Fake.Element"), QStringLiteral("300"))));
    plugIn->Initialize(nullptr);
    EXPECT_EQ(catalogue(), (std::vector<int32_t>{300}));
    EXPECT_TRUE(first.expired());

    const std::weak_ptr<Nelvar::ITestElement> second = prototype(300);
    plugIn.reset();
    EXPECT_TRUE(second.expired());
}

TEST_F(PlugInTest, CreateTestClonesThePrototypeAndResetsTheCloneToTheDefaultSettings)
{
    useTemplate(templateWith(entry(QStringLiteral("ZeltorTests.CTestVentilator"), QStringLiteral("100"),
                                   QStringLiteral("<Name LID=\"20011::Ventilator test\"/>"))));
    plugIn->Initialize(nullptr);
    setSetting(QStringLiteral("Duration"), 7);

    const auto test = plugIn->CreateTest(100);
    ASSERT_NE(test, nullptr);
    EXPECT_NE(test, prototype(100));
    EXPECT_EQ(test->TestID(), 100);
    EXPECT_EQ(infoOf(*test).Name(), QStringLiteral("Ventilator test"));
    const auto configuration = std::dynamic_pointer_cast<ZeltorTests::CConfigVentilator>(test->Configuration());
    ASSERT_NE(configuration, nullptr);
    EXPECT_EQ(configuration->Duration(), 7);
    EXPECT_NE(std::dynamic_pointer_cast<ZeltorTests::CConfigVentilator>(prototype(100)->Configuration())->Duration(), 7);

    const com::Error unknown = caughtError([&] { plugIn->CreateTest(600); });
    EXPECT_EQ(unknown.number(), eeTestNotFound);
    EXPECT_EQ(unknown.flags(), 1);
    EXPECT_EQ(unknown.source(), kPlugInSource);
}

TEST_F(PlugInTest, CreateTestFailsWithAnErrorWhenThePrototypeGivesNoCloneOrNoDefaults)
{
    useTemplate(templateWith(entry(QStringLiteral("Fake.NoClone"), QStringLiteral("200"))
                             + entry(QStringLiteral("Fake.PlainConfig"), QStringLiteral("300"))
                             + entry(QStringLiteral("Fake.Element"), QStringLiteral("400"))));
    plugIn->Initialize(nullptr);

    const com::Error noClone = caughtError([&] { plugIn->CreateTest(200); });
    EXPECT_EQ(noClone.number(), com::errObjectNotSet);
    EXPECT_EQ(noClone.source(), kPlugInSource);
    const com::Error noDefaults = caughtError([&] { plugIn->CreateTest(300); });
    EXPECT_EQ(noDefaults.number(), com::errTypeMismatch);
    EXPECT_EQ(noDefaults.source(), kPlugInSource);
    // Without a configuration there are no defaults to load.
    EXPECT_EQ(plugIn->CreateTest(400)->TestID(), 400);
}

TEST_F(PlugInTest, TheShippedTemplateListsTheFiveTestsAndCreatesEachWithItsParameters)
{
    plugIn->Initialize(nullptr);
    EXPECT_EQ(catalogue(), (std::vector<int32_t>{100, 200, 300, 400, 500}));

    struct Case {
        int32_t test;
        const char* name;
        QStringList parameters; // of a single-reading test
    };
    const Case cases[] = {
        {100, "Ventilator test", {}},
        {200, "Leakage test", {"ACPR", "LERA"}},
        {300, "Flow test", {"ACFL"}},
        {400, "Pressure test", {"ACPR"}},
        {500, "High-pressure test", {"HIPR"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(infoOf(*prototype(c.test)).Name(), QString::fromLatin1(c.name));
        EXPECT_FALSE(infoOf(*prototype(c.test)).Description().isEmpty()) << c.test;
        EXPECT_NE(prototype(c.test)->Limits()->Standards(), nullptr) << c.test;
        const auto test = plugIn->CreateTest(c.test);
        EXPECT_EQ(test->TestID(), c.test);
        const auto configuration = std::dynamic_pointer_cast<ZeltorTests::IZeltorConfiguration>(test->Configuration());
        ASSERT_NE(configuration, nullptr) << c.test;
        if (c.parameters.isEmpty())
            continue;
        const auto parameters = configuration->Parameters();
        QStringList keys;
        for (int32_t i = 1; i <= parameters->Count(false); ++i)
            keys << parameters->Item(i)->Key();
        EXPECT_EQ(keys, c.parameters) << c.test;
    }
}

} // namespace
