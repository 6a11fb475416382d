#include "CZeltorSetup.h"

#include "CaughtError.h"
#include "HostFixture.h"

#include "registry/FileRegistry.h"
#include "registry/RegistryFile.h"
#include "registry/RegistryKeyPath.h"
#include "Host.h"

#include "Product.h"
#include "Registry.h"

#include "com/ClassRegistry.h"
#include "format/Format.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <map>
#include <utility>
#include <vector>

using ZeltorPlugin::CZeltorSetup;

namespace {

// Values of the registry by name, with their text.
using NamedValues = std::vector<std::pair<QString, QString>>;
using StoredValues = std::map<QString, QString>;

// The values the settings key holds.
StoredValues storedSettings()
{
    const host::RegistryData data = host::RegistryFile().read();
    const host::RegistryKey* key =
        data.findKey(host::RegistryKeyPath::of(Nelvar::kHiveLocalMachine, Zeltor::kSettingsKey, QStringLiteral("test")));
    StoredValues values;
    for (const host::NamedRegistryValue& value : key ? key->values() : std::vector<host::NamedRegistryValue>{})
        values.emplace(value.name, value.value.toText());
    return values;
}

// The host's registry, noting the name of every value read and every value written in order;
// reading `failingValue` raises `failure` instead.
struct RegistryScript {
    QStringList reads;
    NamedValues writes;
    QString failingValue;
    int32_t failure = 0;
};

class RecordingRegistry final : public Nelvar::IRegistry {
public:
    explicit RecordingRegistry(std::shared_ptr<RegistryScript> script) : m_script(std::move(script)) {}

    void OpenKey(int32_t hive, const QString& path) override { m_registry.OpenKey(hive, path); }
    void DeleteKey(int32_t hive, const QString& path) override { m_registry.DeleteKey(hive, path); }
    QString GetValue(const QString& name) const override
    {
        m_script->reads << name;
        if (name == m_script->failingValue)
            throw com::Error(m_script->failure, QStringLiteral("Nelvar.Registry"), {});
        return m_registry.GetValue(name);
    }
    void SetValue(const QString& name, const com::Value& value) override
    {
        m_script->writes.emplace_back(name, format::valueToText(value));
        m_registry.SetValue(name, value);
    }
    int32_t ValueCount() const override { return m_registry.ValueCount(); }

private:
    std::shared_ptr<RegistryScript> m_script;
    host::FileRegistry m_registry;
};

class SetupTest : public HostFixture {
protected:
    void TearDown() override
    {
        host::installHost(); // puts the host's own registry class back
        HostFixture::TearDown();
    }

    // Every registry object created from now on follows the script.
    std::shared_ptr<RegistryScript> recordRegistryReads()
    {
        auto script = std::make_shared<RegistryScript>();
        com::ClassRegistry::instance().add(
            {QString::fromLatin1(Nelvar::kRegistryProgId), {}, [script] { return std::make_shared<RecordingRegistry>(script); }});
        return script;
    }

    static void setTemplatePathValue(const QString& path)
    {
        const auto registry =
            com::ClassRegistry::instance().createAs<Nelvar::IRegistry>(QString::fromLatin1(Nelvar::kRegistryProgId));
        registry->OpenKey(Nelvar::kHiveLocalMachine, Zeltor::kRegistryKey);
        registry->SetValue(QStringLiteral("Configuration"), path);
    }
};

TEST_F(SetupTest, AFirstSaveOnAFreshInstallationWritesTheReadersDefaultsInWritingOrder)
{
    CZeltorSetup setup;
    EXPECT_TRUE(setup.HasDialog());
    setup.setSettings(QStringLiteral("ignored"));
    EXPECT_EQ(setup.Settings(), QString());

    const auto script = recordRegistryReads();
    setup.RegSave(0, QStringLiteral("ignored"));
    const NamedValues defaults{
        {"FlowUnit", "100"},
        {"PressureUnit", "0"},
        {"HighPressureUnit", "0"},
        {"TemperatureUnit", "200"},
        {"VolumeUnit", "0"},
        {"ExternalLungAttached", "False"},
        {"ComplianceValue", "0"},
        {"ComplianceUnit", "0"},
        {"ExternalResistanceAttached", "False"},
        {"ExternalResistanceType", "0"},
        {"ResistanceLevel", "0"},
        {"GasMixture", "0"},
        {"ReferenceUnit", "0"},
        {"CalculateMassFlow", "True"},
        {"AtmosphericPressure", "760"},
        {"BreathsPerCalculation", "1"},
        {"DetectLevel", "9000"},
        {"NoiseLevel", "500"},
        {"RelativeHumidity", "0"},
        {"SuppressPressurePeakPeriod", "30"},
        {"FlowThreshold", "0"},
        {"PressureThreshold", "0"},
    };
    EXPECT_EQ(script->writes, defaults);
    EXPECT_EQ(storedSettings(), StoredValues(defaults.begin(), defaults.end()));
}

TEST_F(SetupTest, SaveWritesTheKeyAnewAndKeepsTheValuesOtherReadersOwn)
{
    setSetting(QStringLiteral("Duration"), 45);
    setSetting(QStringLiteral("FlowUnit"), 102);
    setSetting(QStringLiteral("Leftover"), QStringLiteral("stale"));
    setSetting(QStringLiteral("ScalePressureSpan_cmH2O"), 6000);
    setSetting(QStringLiteral("TimerInterval"), QStringLiteral("8"));
    setSetting(QStringLiteral("ScaleFlowMin_mlSec"), -50000);

    CZeltorSetup setup;
    setup.setFlowUnit(101);
    setup.setExternalLungAttached(true);
    setup.setFlowThreshold(2.5f);
    setup.setPressureThreshold(0.125f);
    const auto script = recordRegistryReads();
    setup.RegSave(0, {});

    const NamedValues& written = script->writes;
    ASSERT_EQ(written.size(), 26u);
    EXPECT_EQ(written[0], std::pair(QStringLiteral("FlowUnit"), QStringLiteral("101")));
    EXPECT_EQ(written[5], std::pair(QStringLiteral("ExternalLungAttached"), QStringLiteral("True")));
    EXPECT_EQ(written[20], std::pair(QStringLiteral("FlowThreshold"), QStringLiteral("2.5")));
    EXPECT_EQ(written[21], std::pair(QStringLiteral("PressureThreshold"), QStringLiteral("0.125")));
    const NamedValues kept(written.begin() + 22, written.end());
    EXPECT_EQ(kept, (NamedValues{{"Duration", "45"},
                                 {"TimerInterval", "8"},
                                 {"ScaleFlowMin_mlSec", "-50000"},
                                 {"ScalePressureSpan_cmH2O", "6000"}}));
    const StoredValues stored = storedSettings();
    EXPECT_EQ(stored.size(), 26u);
    EXPECT_FALSE(stored.contains(QStringLiteral("Leftover")));
    EXPECT_EQ(stored.at(QStringLiteral("FlowUnit")), QStringLiteral("101"));
}

TEST_F(SetupTest, SavedSettingsLoadBackUnchanged)
{
    CZeltorSetup saved;
    saved.setFlowUnit(102);
    saved.setPressureUnit(3);
    saved.setHighPressureUnit(4);
    saved.setTemperatureUnit(201);
    saved.setExternalLungAttached(true);
    saved.setComplianceValue(25);
    saved.setComplianceUnit(1);
    saved.setExternalResistanceAttached(true);
    saved.setExternalResistanceType(1);
    saved.setResistanceLevel(200);
    saved.setGasMixture(2);
    saved.setReferenceUnit(5);
    saved.setCalculateMassFlow(false);
    saved.setAtmosphericPressure(742);
    saved.setBreathsPerCalculation(8);
    saved.setDetectLevel(1500);
    saved.setNoiseLevel(250);
    saved.setRelativeHumidity(40);
    saved.setSuppressPressurePeakPeriod(60);
    saved.setFlowThreshold(12.75f);
    saved.setPressureThreshold(0.1f);
    saved.RegSave(0, {});
    setSetting(QStringLiteral("VolumeUnit"), 300); // nothing edits it, but it is kept
    const StoredValues first = storedSettings();

    CZeltorSetup loaded;
    loaded.Load();
    EXPECT_EQ(loaded.ExternalResistanceAttached(), true);
    EXPECT_EQ(loaded.CalculateMassFlow(), false);
    EXPECT_EQ(loaded.PressureThreshold(), 0.1f);
    EXPECT_EQ(loaded.BreathsPerCalculation(), 8);
    loaded.RegSave(0, {});
    EXPECT_EQ(storedSettings(), first);
}

TEST_F(SetupTest, LoadReadsTheTemplatePathThenTheSettingsInRegistryOrder)
{
    CZeltorSetup().RegSave(0, {});
    const auto script = recordRegistryReads();
    CZeltorSetup().RegLoad(0, {});
    EXPECT_EQ(script->reads,
              (QStringList{"Configuration", "FlowUnit", "PressureUnit", "HighPressureUnit", "TemperatureUnit",
                           "VolumeUnit", "ExternalLungAttached", "ComplianceUnit", "ComplianceValue",
                           "ExternalResistanceAttached", "ExternalResistanceType", "ResistanceLevel", "ReferenceUnit",
                           "CalculateMassFlow", "NoiseLevel", "AtmosphericPressure", "DetectLevel", "RelativeHumidity",
                           "BreathsPerCalculation", "SuppressPressurePeakPeriod", "GasMixture", "FlowThreshold",
                           "PressureThreshold"}));
}

TEST_F(SetupTest, AMissingOrUnconvertibleValueIsPassedOverAndTheRestIsRead)
{
    setSetting(QStringLiteral("FlowUnit"), 102);
    setSetting(QStringLiteral("CalculateMassFlow"), QStringLiteral("False"));
    setSetting(QStringLiteral("DetectLevel"), QStringLiteral("12 ml"));
    setSetting(QStringLiteral("BreathsPerCalculation"), QStringLiteral("4"));
    setSetting(QStringLiteral("GasMixture"), 3);
    setSetting(QStringLiteral("FlowThreshold"), QStringLiteral("letters"));
    setSetting(QStringLiteral("PressureThreshold"), QStringLiteral("1.5"));

    CZeltorSetup setup;
    setup.setNoiseLevel(321);
    setup.setDetectLevel(4000);
    setup.setFlowThreshold(9.5f);
    setup.Load();
    EXPECT_EQ(setup.FlowUnit(), 102);
    EXPECT_FALSE(setup.CalculateMassFlow());
    EXPECT_EQ(setup.NoiseLevel(), 321); // missing
    EXPECT_EQ(setup.DetectLevel(), 4000); // does not convert
    EXPECT_EQ(setup.BreathsPerCalculation(), 4);
    EXPECT_EQ(setup.GasMixture(), 3);
    EXPECT_EQ(setup.FlowThreshold(), 9.5f); // does not convert
    EXPECT_EQ(setup.PressureThreshold(), 1.5f);
}

TEST_F(SetupTest, AnEmptySettingsKeyLeavesEverySettingAsItIs)
{
    const auto registry =
        com::ClassRegistry::instance().createAs<Nelvar::IRegistry>(QString::fromLatin1(Nelvar::kRegistryProgId));
    registry->OpenKey(Nelvar::kHiveLocalMachine, Zeltor::kSettingsKey);
    ASSERT_EQ(registry->ValueCount(), 0);

    CZeltorSetup setup;
    setup.setNoiseLevel(7);
    setup.Load();
    EXPECT_EQ(setup.NoiseLevel(), 7);
    EXPECT_EQ(setup.FlowUnit(), 100);
    EXPECT_EQ(setup.DetectLevel(), 9000);
}

TEST_F(SetupTest, TheTemplatePathIsTheConfigurationValueOrTheTemplateNextToTheLibrary)
{
    const QString besideLibrary =
        QFileInfo(QStringLiteral(ZELTOR_PLUGIN_LIBRARY)).absolutePath() + QStringLiteral("/ZeltorPlugin.mpc");
    CZeltorSetup setup;
    setup.Load();
    EXPECT_EQ(setup.TemplatePath(), besideLibrary); // no value

    setTemplatePathValue(QStringLiteral("/opt/tests/catalogue.mpc"));
    setup.Load();
    EXPECT_EQ(setup.TemplatePath(), QStringLiteral("/opt/tests/catalogue.mpc"));

    setTemplatePathValue(QString());
    setup.Load();
    EXPECT_EQ(setup.TemplatePath(), besideLibrary);
}

TEST_F(SetupTest, RegistryFaultsOfTheLoadPassOnUnchangedAndOtherFaultsEndItQuietly)
{
    CZeltorSetup saved;
    saved.setFlowUnit(101);
    saved.setDetectLevel(1234);
    saved.RegSave(0, {});

    struct Case {
        int32_t failure;
        bool passedOn;
    };
    for (const Case& c : {Case{Nelvar::kRegistryErrKeyNotOpen, true}, Case{Nelvar::kRegistryErrFile, true},
                          Case{com::errInvalidCall, false}}) {
        const auto script = recordRegistryReads();
        script->failingValue = QStringLiteral("NoiseLevel");
        script->failure = c.failure;
        CZeltorSetup setup;
        if (c.passedOn)
            EXPECT_EQ(caughtError([&] { setup.Load(); }).number(), c.failure);
        else
            setup.Load();
        EXPECT_EQ(setup.FlowUnit(), 101) << c.failure;     // read before the fault
        EXPECT_EQ(setup.DetectLevel(), 9000) << c.failure; // read after it
    }
}

TEST_F(SetupTest, AnUnreadableRegistryFailsTheSaveWithTheSetupsSource)
{
    QFile registryFile(host::RegistryFile::configuredPath());
    ASSERT_TRUE(registryFile.open(QIODevice::WriteOnly));
    registryFile.write("not a registry");
    registryFile.close();

    CZeltorSetup setup;
    EXPECT_EQ(caughtError([&] { setup.Load(); }).number(), Nelvar::kRegistryErrFile);
    const com::Error error = caughtError([&] { setup.RegSave(0, {}); });
    EXPECT_EQ(error.number(), Nelvar::kRegistryErrFile);
    EXPECT_EQ(error.source(), QStringLiteral("DravikZeltor.CZeltorSetup"));
}

TEST_F(SetupTest, ThresholdsAreWrittenWithAPointAndReadWithAPointOrTheUsersSeparator)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    CZeltorSetup setup;
    setup.setFlowThreshold(2.5f);
    setup.RegSave(0, {});
    EXPECT_EQ(storedSettings().at(QStringLiteral("FlowThreshold")), QStringLiteral("2.5"));

    setSetting(QStringLiteral("FlowThreshold"), QStringLiteral("3,25"));
    setSetting(QStringLiteral("PressureThreshold"), QStringLiteral("0.75"));
    CZeltorSetup loaded;
    loaded.Load();
    QLocale::setDefault(saved);
    EXPECT_EQ(loaded.FlowThreshold(), 3.25f);
    EXPECT_EQ(loaded.PressureThreshold(), 0.75f);
}

TEST_F(SetupTest, BreathsPerCalculationTakesOnlyTheCountsTheInstrumentKnows)
{
    struct Case {
        int32_t breaths;
        int32_t stored;
    };
    CZeltorSetup setup;
    for (const Case& c : {Case{16, 16}, Case{3, 16}, Case{32, 32}, Case{64, 32}, Case{0, 32}, Case{-1, 32}, Case{1, 1}}) {
        setup.setBreathsPerCalculation(c.breaths);
        EXPECT_EQ(setup.BreathsPerCalculation(), c.stored) << c.breaths;
    }
}

} // namespace
