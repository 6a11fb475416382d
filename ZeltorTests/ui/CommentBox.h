#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace ZeltorTests {

// The text box that shows a result's comment. A comment may be of any length, one endless word
// included: its lines are held in the box as blocks of bounded length, which the box lays out
// only as they come into view and wraps at word boundaries (anywhere within a word too long for
// a line), so that a comment of megabytes opens at once. Where a long line was split the box
// shows a line break, but its comment and what is copied from it keep the lines as they were.
class CommentBox final : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

    // Shows the comment from its start, replacing what the box held.
    void setComment(const QString& comment);
    // What the box holds as one text, its lines as they were given.
    QString comment() const;

protected:
    QMimeData* createMimeDataFromSelection() const override;

private:
    // The box's text from one document position to another, without the breaks of split lines.
    QString textBetween(int start, int end) const;
};

} // namespace ZeltorTests
