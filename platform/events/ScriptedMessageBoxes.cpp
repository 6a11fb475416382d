#include "ScriptedMessageBoxes.h"

namespace events {

MessageAnswer ScriptedMessageBoxes::show(const QString& text, int32_t style, const QString& title)
{
    m_shown.push_back({text, style, title});
    if (!m_answers.empty()) {
        const MessageAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    switch (style & 7) {
    case mbAbortRetryIgnore: return mbrAbort;
    case mbYesNoCancel:
    case mbYesNo: return mbrYes;
    case mbRetryCancel: return mbrRetry;
    default: return mbrOK;
    }
}

} // namespace events
