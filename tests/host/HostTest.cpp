#include "TemporaryRegistry.h"

#include "Host.h"
#include "instruments/InstrumentInfo.h"
#include "registry/RegistryClassStore.h"

#include "HostServices.h"
#include "Instruments.h"
#include "Registry.h"
#include "RunContext.h"
#include "Standards.h"
#include "TestElement.h"
#include "Tests.h"
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

TEST(HostTest, ClassRegistryMakesANewTestModelObjectPerCreation)
{
    host::installHost();
    auto& classes = com::ClassRegistry::instance();
    struct Case {
        const char* progId;
        bool (*offersItsInterface)(const std::shared_ptr<com::Object>&);
    };
    const Case cases[] = {
        {Nelvar::kTestElementBaseProgId,
         [](const auto& object) { return std::dynamic_pointer_cast<Nelvar::ITestElementBase>(object) != nullptr; }},
        {Nelvar::kTestCollectionProgId,
         [](const auto& object) { return std::dynamic_pointer_cast<Nelvar::ITestCollection>(object) != nullptr; }},
        {Nelvar::kServiceRecordProgId,
         [](const auto& object) { return std::dynamic_pointer_cast<Nelvar::IServiceRecord>(object) != nullptr; }},
        {Nelvar::kTestGuideConfigProgId,
         [](const auto& object) { return std::dynamic_pointer_cast<Nelvar::ITestGuideConfig>(object) != nullptr; }},
        {Nelvar::kStandardsProgId,
         [](const auto& object) { return std::dynamic_pointer_cast<Nelvar::IStandards>(object) != nullptr; }},
        {Nelvar::kStandardProgId,
         [](const auto& object) { return std::dynamic_pointer_cast<Nelvar::IStandard>(object) != nullptr; }},
        {Nelvar::kLimitProgId,
         [](const auto& object) {
             return std::dynamic_pointer_cast<Nelvar::ILimit>(object) != nullptr &&
                    std::dynamic_pointer_cast<Nelvar::INumericLimit>(object) != nullptr;
         }},
    };
    for (const Case& c : cases) {
        const auto first = classes.create(QString::fromLatin1(c.progId));
        const auto second = classes.create(QString::fromLatin1(c.progId).toLower());
        EXPECT_TRUE(c.offersItsInterface(first)) << c.progId;
        EXPECT_TRUE(c.offersItsInterface(second)) << c.progId;
        EXPECT_NE(first, second) << c.progId;
    }
    // Registering them leaves the earlier classes in place.
    EXPECT_TRUE(classes.contains(QString::fromLatin1(Nelvar::kRegistryProgId)));
}

} // namespace
