#include "VtiFixture.h"

#include "MErrorhandling.h"

using namespace ZeltorVTI;

class ErrorReportingTest : public HostFixture {};

TEST_F(ErrorReportingTest, EachErrorNumberShowsItsMessageUnderTheCommunicationCaption)
{
    const struct {
        uint32_t number;
        QString description;
        QString text;
    } cases[] = {
        {0x8004A424, {}, kCommunicationErrorText},
        {0x8004A425, QStringLiteral("ignored"), kCommunicationErrorText},
        {0x8004A463, {}, kInvalidDataText},
        {0x8004A464, {}, kInvalidDataText},
        {0x8004A465, {}, kNoZeltorText},
        {0x8004A466, {}, kNoZeltorText},
        {0x8004A467, {}, kNoZeltorText},
        {0x8004A469, {}, kNoZeltorText},
        {0x8004A468, {}, QStringLiteral("Unknown error number -2147179416")},
        {0x8004A46A, {}, QStringLiteral("Unknown error number -2147179414")},
        {91, QStringLiteral("Object variable not set"), QStringLiteral("Unknown error number 91\r\nObject variable not set")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        boxes->clear();
        MErrorhandling::HandleError(static_cast<int32_t>(c.number), c.description);
        ASSERT_EQ(boxes->shown().size(), 1u);
        EXPECT_EQ(boxes->shown()[0].text, c.text);
        EXPECT_EQ(boxes->shown()[0].title, kCommunicationErrorCaption);
        EXPECT_EQ(boxes->shown()[0].style, 0);
    }
}

TEST_F(ErrorReportingTest, InstrumentErrorTexts)
{
    const std::pair<int32_t, const char*> cases[] = {
        {1001, "Missing parameter"}, {1002, "Too many parameters"}, {1003, "Invalid parameter"},
        {1101, "Uknown message format"}, {5001, "Out of memory"}, {6000, "Uknown command"},
        {6001, "Busy"}, {6002, "Test not allowed"}, {6003, "Illegal command"},
        {6004, "Command not allowed"}, {7001, "Object not found"}, {42, "Unknown error"},
    };
    for (const auto& [number, text] : cases)
        EXPECT_EQ(MErrorhandling::GetMtiErrorText(number), QString::fromLatin1(text)) << number;
}

TEST_F(ErrorReportingTest, InstrumentErrorBoxShowsMissingPartsEmpty)
{
    MErrorhandling::ShowMtiError(QStringLiteral("irem"), {QStringLiteral("x")});
    EXPECT_TRUE(boxes->shown().empty());

    MErrorhandling::ShowMtiError(QStringLiteral("ERRM"), {QStringLiteral("FOO")});
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_EQ(boxes->shown()[0].text, QStringLiteral("Error received from MTI:0\r\nUnknown error\r\n"
                                                     "Occurred when performing FOO\r\n"));
    EXPECT_FALSE(boxes->shown()[0].title.isEmpty());
}
