#include "events/QtMessageBoxes.h"
#include "events/ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace events;

TEST(ScriptedMessageBoxes, RecordsAndAnswersFromTheScriptThenWithTheFirstButton)
{
    ScriptedMessageBoxes boxes;
    boxes.answerNext(mbrNo);
    boxes.answerNext(mbrCancel);
    EXPECT_EQ(boxes.show(QStringLiteral("Save?"), mbYesNo | mbQuestion, QStringLiteral("Nelvar")), mbrNo);
    EXPECT_EQ(boxes.show(QStringLiteral("Go on?"), mbOKCancel, QString()), mbrCancel);

    const struct {
        int32_t style;
        MessageAnswer first;
    } unscripted[] = {
        {mbOKOnly, mbrOK}, {mbOKCancel | mbExclamation, mbrOK}, {mbAbortRetryIgnore, mbrAbort},
        {mbYesNoCancel | mbCritical, mbrYes}, {mbYesNo, mbrYes}, {mbRetryCancel | mbInformation, mbrRetry},
    };
    for (const auto& c : unscripted)
        EXPECT_EQ(boxes.show(QStringLiteral("x"), c.style, QString()), c.first) << "style " << c.style;

    ASSERT_EQ(boxes.shown().size(), 8u);
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Save?"));
    EXPECT_EQ(boxes.shown()[0].style, mbYesNo | mbQuestion);
    EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("Nelvar"));
    EXPECT_EQ(boxes.shown()[1].title, QString());
    boxes.clear();
    EXPECT_TRUE(boxes.shown().empty());
}

TEST(TerminalMessageBoxes, PrintsTheBoxAndAnswersWithItsFirstButton)
{
    TerminalMessageBoxes boxes;
    ::testing::internal::CaptureStderr();
    const MessageAnswer answer = boxes.show(QStringLiteral("Instrument not found"), mbRetryCancel, QStringLiteral("Zeltor"));
    const std::string printed = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(answer, mbrRetry);
    EXPECT_EQ(printed, "[Zeltor]\nInstrument not found\n");
}

TEST(MessageBoxes, WithoutADisplayTheTerminalAnswers)
{
    MessageBoxes::install(nullptr);
    EXPECT_NE(dynamic_cast<TerminalMessageBoxes*>(&MessageBoxes::current()), nullptr); // offscreen platform
    const auto scripted = std::make_shared<ScriptedMessageBoxes>();
    MessageBoxes::install(scripted);
    EXPECT_EQ(&MessageBoxes::current(), scripted.get());
    MessageBoxes::install(nullptr);
}

} // namespace
