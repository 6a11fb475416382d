#include "ui/CommentBox.h"

#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <memory>

namespace ZeltorTests {

namespace {

// The longest block the box lays out: a line is laid out whole, and wrapping a word that does not
// fit searches the rest of it for every line it fills.
constexpr qsizetype kLongestBlock = 4096;
// Marks a block that goes on with the line of the block before it.
constexpr int kContinuedLine = 1;

// Whether the character ends a line where a plain text is put into a text document.
bool endsLine(QChar character)
{
    return character == u'\n' || character == u'\r' || character == QChar::ParagraphSeparator
        || character == QChar(0xFDD0) || character == QChar(0xFDD1);
}

// Where the piece of a long line that starts at `start` ends: after its last blank when it has one
// in its second half, so that the break falls between words; never inside a surrogate pair.
qsizetype pieceEnd(QStringView line, qsizetype start)
{
    qsizetype end = start + kLongestBlock;
    if (end >= line.size())
        return line.size();
    for (qsizetype blank = end - 1; blank > start + kLongestBlock / 2; --blank)
        if (line[blank].isSpace())
            return blank + 1;
    if (line[end - 1].isHighSurrogate())
        --end;
    return end;
}

} // namespace

void CommentBox::setComment(const QString& comment)
{
    // A text set whole would be laid out as one block per line, a line of megabytes included.
    clear();
    QTextDocument& shown = *document();
    shown.setUndoRedoEnabled(false);
    QTextCursor cursor(&shown);
    cursor.beginEditBlock();
    const QStringView text(comment);
    bool firstBlock = true;
    for (qsizetype lineStart = 0; lineStart <= text.size();) {
        qsizetype lineEnd = lineStart;
        while (lineEnd < text.size() && !endsLine(text[lineEnd]))
            ++lineEnd;
        const QStringView line = text.sliced(lineStart, lineEnd - lineStart);
        qsizetype start = 0;
        do {
            const qsizetype end = pieceEnd(line, start);
            if (!firstBlock)
                cursor.insertBlock();
            firstBlock = false;
            cursor.insertText(line.sliced(start, end - start).toString());
            cursor.block().setUserState(start > 0 ? kContinuedLine : -1);
            start = end;
        } while (start < line.size());
        // A carriage return followed by a line feed ends one line.
        if (lineEnd + 1 < text.size() && text[lineEnd] == u'\r' && text[lineEnd + 1] == u'\n')
            ++lineEnd;
        lineStart = lineEnd + 1;
    }
    cursor.endEditBlock();
    shown.setUndoRedoEnabled(true);
    moveCursor(QTextCursor::Start);
}

QString CommentBox::comment() const
{
    return textBetween(0, document()->characterCount() - 1);
}

QMimeData* CommentBox::createMimeDataFromSelection() const
{
    const QTextCursor selection = textCursor();
    auto selected = std::make_unique<QMimeData>();
    selected->setText(textBetween(selection.selectionStart(), selection.selectionEnd()));
    return selected.release();
}

QString CommentBox::textBetween(int start, int end) const
{
    QString text;
    for (QTextBlock block = document()->findBlock(start); block.isValid() && block.position() <= end;
         block = block.next()) {
        if (block.position() > start && block.userState() != kContinuedLine)
            text += u'\n';
        const int from = std::max(start - block.position(), 0);
        const int to = std::min(end - block.position(), block.length() - 1);
        text += block.text().mid(from, to - from);
    }
    return text;
}

} // namespace ZeltorTests
