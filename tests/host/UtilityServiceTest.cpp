#include "services/UtilityService.h"

#include <gtest/gtest.h>

namespace {

TEST(UtilityServiceTest, AppendPathSeparatorAddsOneSlashToAFolder)
{
    host::UtilityService service;
    EXPECT_EQ(service.AppendPathSeparator(QStringLiteral("/opt/zeltor")), QStringLiteral("/opt/zeltor/"));
    EXPECT_EQ(service.AppendPathSeparator(QStringLiteral("/opt/zeltor/")), QStringLiteral("/opt/zeltor/"));
    EXPECT_EQ(service.AppendPathSeparator(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(service.AppendPathSeparator(QString()), QString()) << "a file name after it stays relative";
}

TEST(UtilityServiceTest, ValueToTextGivesRecordTextThatReadsBackExactly)
{
    host::UtilityService service;
    EXPECT_EQ(service.ValueToText(0.1f).toFloat(), 0.1f);
    EXPECT_EQ(service.ValueToText(-0.1).toDouble(), -0.1);
    EXPECT_EQ(service.ValueToText(int16_t(-7)), QStringLiteral("-7"));
    EXPECT_EQ(service.ValueToText(true), QStringLiteral("True"));
    EXPECT_EQ(service.ValueToText(com::Value()), QString());
}

} // namespace
