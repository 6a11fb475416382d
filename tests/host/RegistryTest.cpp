#include "CaughtError.h"
#include "TemporaryRegistry.h"

#include "HostErrors.h"
#include "registry/FileRegistry.h"

#include "Product.h"
#include "Registry.h"

#include "com/Error.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <functional>
#include <initializer_list>

namespace {

using Nelvar::kHiveLocalMachine;

class RegistryTest : public ::testing::Test {
protected:
    // Registry objects are made per use, as the system makes them.
    static host::FileRegistry openSettings(const QString& path = Zeltor::kSettingsKey)
    {
        host::FileRegistry registry;
        registry.OpenKey(kHiveLocalMachine, path);
        return registry;
    }

    TemporaryRegistry temporary;
};

TEST_F(RegistryTest, ValuesSurviveBetweenObjectsAndKeysCompareWithoutCase)
{
    {
        host::FileRegistry writer = openSettings();
        writer.SetValue(QStringLiteral("FlowUnit"), 100);
        writer.SetValue(QStringLiteral("DetectLevel"), int16_t(-5));
        writer.SetValue(QStringLiteral("CalculateMassFlow"), true);
        writer.SetValue(QStringLiteral("FlowThreshold"), 0.1f);
        writer.SetValue(QStringLiteral("Configuration"), QStringLiteral("/opt/zeltor/ZeltorPlugin.mpc"));
        writer.SetValue(QStringLiteral("flowunit"), 101); // the same value, rewritten
    }
    host::FileRegistry reader = openSettings(Zeltor::kSettingsKey.toUpper());
    EXPECT_EQ(reader.ValueCount(), 5);
    EXPECT_EQ(reader.GetValue(QStringLiteral("FLOWUNIT")), QStringLiteral("101"));
    EXPECT_EQ(reader.GetValue(QStringLiteral("DetectLevel")), QStringLiteral("-5"));
    EXPECT_EQ(reader.GetValue(QStringLiteral("CalculateMassFlow")), QStringLiteral("True"));
    EXPECT_EQ(reader.GetValue(QStringLiteral("FlowThreshold")).toFloat(), 0.1f);
    EXPECT_EQ(reader.GetValue(QStringLiteral("Configuration")), QStringLiteral("/opt/zeltor/ZeltorPlugin.mpc"));

    // Stored under the original names, numbers as dword and everything else as text.
    const QJsonObject settings = QJsonDocument::fromJson(temporary.contents())
                                     .object()[QStringLiteral("HKEY_LOCAL_MACHINE")]
                                     .toObject()[Zeltor::kSettingsKey]
                                     .toObject();
    EXPECT_EQ(settings[QStringLiteral("FlowUnit")].toObject()[QStringLiteral("type")], QStringLiteral("dword"));
    EXPECT_EQ(settings[QStringLiteral("FlowUnit")].toObject()[QStringLiteral("data")], 101);
    EXPECT_EQ(settings[QStringLiteral("CalculateMassFlow")].toObject()[QStringLiteral("type")], QStringLiteral("sz"));
}

TEST_F(RegistryTest, OpenKeyCreatesTheKeyAndItsParents)
{
    openSettings();
    const QJsonObject hive =
        QJsonDocument::fromJson(temporary.contents()).object()[QStringLiteral("HKEY_LOCAL_MACHINE")].toObject();
    EXPECT_EQ(hive.keys(), (QStringList{"Software", "Software\\Corvane", "Software\\Corvane\\Nelvar",
                                        "Software\\Corvane\\Nelvar\\Zeltor", "Software\\Corvane\\Nelvar\\Zeltor\\Settings"}));
    EXPECT_EQ(openSettings(QStringLiteral("\\software\\CORVANE\\")).ValueCount(), 0);
    EXPECT_EQ(QJsonDocument::fromJson(temporary.contents()).object()[QStringLiteral("HKEY_LOCAL_MACHINE")].toObject().size(), 5)
        << "an existing key is opened, not created again";
}

TEST_F(RegistryTest, DeleteKeyRemovesValuesAndSubkeysAndOpenKeyThenGivesAnEmptyKey)
{
    openSettings().SetValue(QStringLiteral("Duration"), 60);
    openSettings(Zeltor::kSettingsKey + QStringLiteral("\\Sub")).SetValue(QStringLiteral("X"), 1);
    openSettings(Zeltor::kRegistryKey).SetValue(QStringLiteral("Configuration"), QStringLiteral("kept"));

    host::FileRegistry registry;
    registry.DeleteKey(kHiveLocalMachine, Zeltor::kSettingsKey.toLower());
    registry.OpenKey(kHiveLocalMachine, Zeltor::kSettingsKey);
    EXPECT_EQ(registry.ValueCount(), 0);
    EXPECT_EQ(caughtError([&] { registry.GetValue(QStringLiteral("Duration")); }).number(),
              host::errors::kRegistryValueNotFound);
    EXPECT_EQ(openSettings(Zeltor::kSettingsKey + QStringLiteral("\\Sub")).ValueCount(), 0);
    EXPECT_EQ(openSettings(Zeltor::kRegistryKey).GetValue(QStringLiteral("Configuration")), QStringLiteral("kept"));

    EXPECT_NO_THROW(registry.DeleteKey(kHiveLocalMachine, QStringLiteral("Software\\Never\\There")));
}

TEST_F(RegistryTest, KeyDeletedWhileOpenIsEmptyAndCreatedAgainByAWrite)
{
    host::FileRegistry registry = openSettings();
    registry.SetValue(QStringLiteral("Duration"), 60);
    host::FileRegistry().DeleteKey(kHiveLocalMachine, Zeltor::kSettingsKey);
    EXPECT_EQ(registry.ValueCount(), 0);
    registry.SetValue(QStringLiteral("Duration"), 30);
    EXPECT_EQ(openSettings().GetValue(QStringLiteral("Duration")), QStringLiteral("30"));
}

TEST_F(RegistryTest, MissingValuesAndKeysRaiseTheRegistryNumbers)
{
    host::FileRegistry registry;
    EXPECT_EQ(caughtError([&] { registry.GetValue(QStringLiteral("A")); }).number(), host::errors::kRegistryKeyNotOpen);
    EXPECT_EQ(caughtError([&] { registry.SetValue(QStringLiteral("A"), 1); }).number(), host::errors::kRegistryKeyNotOpen);
    EXPECT_EQ(caughtError([&] { registry.ValueCount(); }).number(), host::errors::kRegistryKeyNotOpen);
    EXPECT_EQ(caughtError([&] { registry.OpenKey(0x12345678, QStringLiteral("Software")); }).number(),
              host::errors::kRegistryKeyNotOpen);
    EXPECT_EQ(caughtError([&] { registry.OpenKey(kHiveLocalMachine, QStringLiteral("\\\\")); }).number(),
              host::errors::kRegistryKeyNotOpen);
    EXPECT_EQ(caughtError([&] { registry.DeleteKey(kHiveLocalMachine, QString()); }).number(),
              host::errors::kRegistryKeyNotOpen);

    registry.OpenKey(kHiveLocalMachine, Zeltor::kSettingsKey);
    const com::Error missing = caughtError([&] { registry.GetValue(QStringLiteral("NoiseLevel")); });
    EXPECT_EQ(missing.number(), host::errors::kRegistryValueNotFound);
    EXPECT_EQ(missing.source(), QStringLiteral("Nelvar.Registry"));
    EXPECT_TRUE(missing.description().contains(QStringLiteral("NoiseLevel")));

    EXPECT_EQ(caughtError([&] { registry.OpenKey(0x12345678, QStringLiteral("Software")); }).number(),
              host::errors::kRegistryKeyNotOpen);
    EXPECT_EQ(caughtError([&] { registry.ValueCount(); }).number(), host::errors::kRegistryKeyNotOpen)
        << "a failed OpenKey leaves no key open";
}

TEST_F(RegistryTest, ObjectsAreNoRegistryValues)
{
    host::FileRegistry registry = openSettings();
    EXPECT_EQ(caughtError([&] { registry.SetValue(QStringLiteral("A"), com::Value(std::make_shared<host::FileRegistry>())); })
                  .number(),
              com::errTypeMismatch);
    EXPECT_EQ(registry.ValueCount(), 0);
}

TEST_F(RegistryTest, CorruptFileGivesAClearErrorAndIsNotOverwritten)
{
    for (const QByteArray& corrupt : {
             QByteArray("not json at all"),
             QByteArray(""),
             QByteArray("[1, 2]"),
             QByteArray(R"({"HKEY_LOCAL_MACHINE": 5})"),
             QByteArray(R"({"HKEY_LOCAL_MACHINE": {"Software": []}})"),
             QByteArray(R"({"HKEY_LOCAL_MACHINE": {"Software": {"V": {"type": "dword", "data": "7"}}}})"),
             QByteArray(R"({"HKEY_LOCAL_MACHINE": {"Software": {"V": {"type": "dword", "data": 1.5}}}})"),
             QByteArray(R"({"HKEY_LOCAL_MACHINE": {"Software": {"V": {"type": "dword", "data": 4294967296}}}})"),
             QByteArray(R"({"HKEY_LOCAL_MACHINE": {"Software": {"V": {"type": "binary", "data": "00"}}}})"),
             QByteArray(R"({"HKEY_LOCAL_MACHINE": {"Software": {"V": "text"}}})"),
         }) {
        SCOPED_TRACE(corrupt.toStdString());
        temporary.setContents(corrupt);
        host::FileRegistry registry;
        for (const auto& call : std::initializer_list<std::function<void()>>{
                 [&] { registry.OpenKey(kHiveLocalMachine, QStringLiteral("Software\\Other")); },
                 [&] { registry.DeleteKey(kHiveLocalMachine, QStringLiteral("Software")); },
             }) {
            const com::Error error = caughtError(call);
            EXPECT_EQ(error.number(), host::errors::kRegistryFileError);
            EXPECT_TRUE(error.description().contains(temporary.path())) << error.what();
        }
        EXPECT_EQ(temporary.contents(), corrupt);
    }
}

TEST_F(RegistryTest, FileThatTurnsCorruptUnderAnOpenKeyIsNotOverwritten)
{
    host::FileRegistry registry = openSettings();
    const QByteArray corrupt("{ truncated");
    temporary.setContents(corrupt);
    EXPECT_EQ(caughtError([&] { registry.GetValue(QStringLiteral("A")); }).number(), host::errors::kRegistryFileError);
    EXPECT_EQ(caughtError([&] { registry.SetValue(QStringLiteral("A"), 1); }).number(), host::errors::kRegistryFileError);
    EXPECT_EQ(caughtError([&] { registry.ValueCount(); }).number(), host::errors::kRegistryFileError);
    EXPECT_EQ(temporary.contents(), corrupt);
}

TEST_F(RegistryTest, FileInAFolderThatCannotBeMadeGivesTheFileError)
{
    temporary.setContents("{}");
    host::FileRegistry registry(host::RegistryFile(temporary.path() + QStringLiteral("/below/registry.json")));
    EXPECT_EQ(caughtError([&] { registry.OpenKey(kHiveLocalMachine, QStringLiteral("Software")); }).number(),
              host::errors::kRegistryFileError);
}

} // namespace
