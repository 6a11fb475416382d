// The comment box of the result pages: a comment of any length shown whole, a line split only for
// the box's layout and never in the comment or in what is copied from the box.

#include "ui/CommentBox.h"

#include <QApplication>
#include <QClipboard>
#include <QTextBlock>
#include <QTextCursor>

#include <gtest/gtest.h>

using ZeltorTests::CommentBox;

namespace {

QString repeated(const QString& text, int times)
{
    QString result;
    for (int time = 0; time < times; ++time)
        result += text;
    return result;
}

} // namespace

// The box holds every comment as it was given, whatever the length of its lines; only line ends
// other than a line feed are shown, and read back, as line feeds.
TEST(CommentBoxTest, TheCommentIsKeptWholeWithItsLines)
{
    const QString longWord(100'000, u'x');
    const QString prose = repeated(QStringLiteral("Leak at the valve. "), 2'000);
    const QString surrogates = repeated(QStringLiteral("\U0001F600"), 5'000);
    const struct {
        const char* what;
        QString comment;
        QString shown;
    } cases[] = {
        {"no comment", "", ""},
        {"a short one", "Leak at the expiratory valve", "Leak at the expiratory valve"},
        {"lines and empty lines", "First\n\nthird\n", "First\n\nthird\n"},
        {"other line ends", "a\r\nb\rc\u2029d", "a\nb\nc\nd"},
        {"one long word", longWord, longWord},
        {"long prose between short lines", "Before\n" + prose + "\nafter", "Before\n" + prose + "\nafter"},
        {"characters of two code units", surrogates, surrogates},
    };
    CommentBox box;
    for (const auto& [what, comment, shown] : cases) {
        SCOPED_TRACE(what);
        box.setComment(comment);
        EXPECT_EQ(box.comment(), shown);
        EXPECT_EQ(box.textCursor().position(), 0) << "shown from its start";
    }
}

// A long line is held in blocks the box lays out one at a time, broken after a blank where the
// line has one: a word is not cut.
TEST(CommentBoxTest, ALongLineIsHeldInShortBlocksBrokenBetweenWords)
{
    CommentBox box;
    box.setComment(repeated(QStringLiteral("valve "), 5'000));
    ASSERT_GT(box.document()->blockCount(), 1);
    for (QTextBlock block = box.document()->firstBlock(); block.isValid(); block = block.next()) {
        EXPECT_LE(block.length(), 4097);
        EXPECT_TRUE(block.text().endsWith(u' ')) << block.blockNumber();
    }

    box.setComment(QString(10'000, u'x'));
    EXPECT_EQ(box.document()->blockCount(), 3);
}

// What is copied from the box is the comment's text, without the breaks of split lines.
TEST(CommentBoxTest, CopyingGivesTheCommentsText)
{
    const QString comment = "Short line\n" + QString(9'000, u'y') + "\nend";
    CommentBox box;
    box.setComment(comment);

    box.selectAll();
    box.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), comment);

    // From the blank in the first line across its end into the second line's second block.
    QTextCursor part = box.textCursor();
    part.setPosition(5);
    part.setPosition(11 + 4'097 + 3, QTextCursor::KeepAnchor);
    box.setTextCursor(part);
    box.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), " line\n" + QString(4'099, u'y'));
}
