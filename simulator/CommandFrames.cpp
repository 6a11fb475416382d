#include "CommandFrames.h"

#include "format/Format.h"

#include <utility>

namespace simulator {

std::vector<CommandSplitter::Piece> CommandSplitter::append(const QByteArray& bytes)
{
    std::vector<Piece> pieces;
    for (const char byte : bytes) {
        const bool ends = !m_escaped && byte == '\r';
        m_escaped = !m_escaped && byte == '\\';
        if (m_discarding) {
            m_discarding = !ends;
            continue;
        }
        m_pending.append(byte);
        if (ends) {
            pieces.push_back({std::exchange(m_pending, {}), false});
        } else if (m_pending.size() > kMaxFrameBytes) {
            m_pending.clear();
            m_discarding = true;
            pieces.push_back({{}, true});
        }
    }
    return pieces;
}

std::optional<CommandFrame> parseCommandFrame(const QByteArray& frame)
{
    if (!frame.startsWith('$'))
        return std::nullopt;
    QStringList fields;
    QByteArray field;
    bool escaped = false;
    for (qsizetype i = 1; i < frame.size(); ++i) {
        const char byte = frame.at(i);
        if (escaped) {
            field.append(byte);
            escaped = false;
        } else if (byte == '\\') {
            escaped = true;
        } else if (byte == ',' || byte == '\r') {
            fields.append(format::fromAnsi(field));
            field.clear();
            if (byte == '\r')
                break;
        } else {
            field.append(byte);
        }
    }
    CommandFrame parsed;
    if (!fields.isEmpty())
        parsed.command = fields.takeFirst();
    parsed.parameters = fields;
    return parsed;
}

QByteArray buildReplyFrame(const QString& command, const QStringList& fields)
{
    QByteArray frame = "$" + format::toAnsi(command);
    for (const QString& field : fields) {
        frame.append(',');
        for (const char byte : format::toAnsi(field)) {
            if (byte == '\\' || byte == ',' || byte == '\r')
                frame.append('\\');
            frame.append(byte);
        }
    }
    frame.append('\r');
    return frame;
}

} // namespace simulator
