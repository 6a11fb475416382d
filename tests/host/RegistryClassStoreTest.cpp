#include "TemporaryRegistry.h"

#include "registry/FileRegistry.h"
#include "registry/RegistryClassStore.h"
#include "registry/RegistryKeyPath.h"

#include <gtest/gtest.h>

namespace {

const QString kProgId = QStringLiteral("ZeltorPlugin.CZeltorPlugin");
const QString kClassId = QStringLiteral("{5D1E2F30-0A4B-11D6-9B30-0050DA3393D8}");
const QString kLibrary = QStringLiteral("/opt/zeltor/lib/libZeltorPlugin.so");

TEST(RegistryClassStoreTest, FindsTheLibraryByProgIdOrClassIdWithoutRegardToCase)
{
    TemporaryRegistry temporary;
    host::RegistryClassStore store;
    EXPECT_EQ(store.libraryOf(kProgId), std::nullopt) << "nothing is recorded in a new registry";

    store.recordClass(kProgId, kClassId, kLibrary);
    store.recordClass(QStringLiteral("ZeltorTests.CTestVentilator"), QString(), QStringLiteral("/lib/tests.so"));
    EXPECT_EQ(store.libraryOf(kProgId.toUpper()), kLibrary);
    EXPECT_EQ(store.libraryOf(kClassId.toLower()), kLibrary);
    EXPECT_EQ(store.libraryOf(QStringLiteral("zeltortests.ctestventilator")), QStringLiteral("/lib/tests.so"));
    for (const QString& unknown : {QStringLiteral("ZeltorPlugin"), QStringLiteral("CLSID"), QString(),
                                   QStringLiteral("CLSID\\") + kClassId})
        EXPECT_EQ(store.libraryOf(unknown), std::nullopt) << unknown.toStdString();

    // The records are ordinary keys of the class hive.
    host::FileRegistry registry;
    registry.OpenKey(host::kHiveClassesRoot, kProgId);
    EXPECT_EQ(registry.GetValue(QStringLiteral("CLSID")), kClassId);
    registry.OpenKey(host::kHiveClassesRoot, QStringLiteral("CLSID\\") + kClassId);
    EXPECT_EQ(registry.GetValue(QStringLiteral("ProgID")), kProgId);

    store.removeClass(kProgId, kClassId);
    EXPECT_EQ(store.libraryOf(kProgId), std::nullopt);
    EXPECT_EQ(store.libraryOf(kClassId), std::nullopt);
    EXPECT_EQ(store.libraryOf(QStringLiteral("ZeltorTests.CTestVentilator")), QStringLiteral("/lib/tests.so"));
}

TEST(RegistryClassStoreTest, FollowsTheConfiguredRegistryFile)
{
    host::RegistryClassStore store;
    {
        TemporaryRegistry first;
        store.recordClass(kProgId, kClassId, kLibrary);
        EXPECT_EQ(store.libraryOf(kProgId), kLibrary);
    }
    TemporaryRegistry second;
    EXPECT_EQ(store.libraryOf(kProgId), std::nullopt);
}

} // namespace
