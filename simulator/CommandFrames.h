#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace simulator {

// Cuts the bytes from the system into command frames: a frame ends at a carriage return that no
// backslash escapes. A frame that grows beyond kMaxFrameBytes without its end is dropped, as is
// everything up to its end; the caller hears of it once.
class CommandSplitter {
public:
    static constexpr qsizetype kMaxFrameBytes = 4096;

    struct Piece {
        QByteArray frame; // complete frame with its carriage return; empty for an overlong one
        bool overlong = false;
    };

    std::vector<Piece> append(const QByteArray& bytes);

private:
    QByteArray m_pending;
    bool m_escaped = false;
    bool m_discarding = false; // the current frame was overlong; skip to its end
};

// "$" + command + ("," + field)* + CR, a backslash making the next byte literal. Bytes are
// Windows-1252 characters.
struct CommandFrame {
    QString command;
    QStringList parameters;
};

// nullopt for a frame that does not start with "$".
std::optional<CommandFrame> parseCommandFrame(const QByteArray& frame);

// "$" + command + ("," + field)* + CR, with a backslash before every backslash, comma and
// carriage return of a field.
QByteArray buildReplyFrame(const QString& command, const QStringList& fields);

} // namespace simulator
