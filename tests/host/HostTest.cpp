#include "TemporaryRegistry.h"

#include "Host.h"
#include "instruments/InstrumentInfo.h"
#include "registry/RegistryClassStore.h"

#include "HostServices.h"
#include "Instruments.h"
#include "Registry.h"
#include "Xml.h"

#include "com/ClassRegistry.h"

#include <gtest/gtest.h>

namespace {

TEST(HostTest, InstallingTwiceKeepsTheSameServices)
{
    host::installHost();
    Nelvar::IErrorService* const error = &Nelvar::errorService();
    Nelvar::IXmlService* const xml = &Nelvar::xmlService();
    host::installHost();
    EXPECT_EQ(&Nelvar::errorService(), error);
    EXPECT_EQ(&Nelvar::xmlService(), xml);
    EXPECT_NO_THROW(Nelvar::languageService());
    EXPECT_NO_THROW(Nelvar::utilityService());
    EXPECT_NE(std::dynamic_pointer_cast<host::RegistryClassStore>(com::ClassRegistry::instance().store()), nullptr);
}

TEST(HostTest, ClassRegistryMakesANewRegistryObjectPerCreation)
{
    TemporaryRegistry temporary;
    host::installHost();
    auto& classes = com::ClassRegistry::instance();
    const auto first = classes.createAs<Nelvar::IRegistry>(QStringLiteral("nelvar.registry"));
    const auto second = classes.createAs<Nelvar::IRegistry>(QString::fromLatin1(Nelvar::kRegistryProgId));
    EXPECT_NE(first, second);
    first->OpenKey(Nelvar::kHiveLocalMachine, QStringLiteral("Software\\Test"));
    first->SetValue(QStringLiteral("A"), QStringLiteral("x"));
    second->OpenKey(Nelvar::kHiveLocalMachine, QStringLiteral("Software\\Test"));
    EXPECT_EQ(second->GetValue(QStringLiteral("A")), QStringLiteral("x"));
}

TEST(HostTest, ClassRegistryMakesTheInstrumentRecordByClassId)
{
    host::installHost();
    auto& classes = com::ClassRegistry::instance();
    const auto info = classes.createAs<Nelvar::IInstrumentInfo>(QString::fromLatin1(Nelvar::kInstrumentInfoClassId).toLower());
    info->SetType(QStringLiteral("Zeltor"), 0);
    info->SetIdentity(QStringLiteral("Zeltor 2"), QStringLiteral("SN 4711"), QStringLiteral("3.01"));
    info->SetType(QStringLiteral("Zeltor"), 3);
    EXPECT_EQ(info->TypeName(), QStringLiteral("Zeltor"));
    EXPECT_EQ(info->ID(), 3);
    EXPECT_EQ(info->SerialNo(), QStringLiteral("SN 4711"));
    EXPECT_EQ(info->FWVersion(), QStringLiteral("3.01"));
    const auto record = std::dynamic_pointer_cast<host::InstrumentInfo>(info);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->Model(), QStringLiteral("Zeltor 2"));
    EXPECT_NE(classes.createAs<Nelvar::IInstrumentInfo>(host::kInstrumentInfoProgId), info);
}

} // namespace
