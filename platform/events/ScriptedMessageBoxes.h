#pragma once

#include "MessageBoxes.h"

#include <deque>
#include <vector>

namespace events {

// For tests and scripted runs: records every box and answers from a script, or with the box's
// first button when the script is used up.
class ScriptedMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        QString text;
        int32_t style;
        QString title;
    };

    MessageAnswer show(const QString& text, int32_t style, const QString& title) override;

    void answerNext(MessageAnswer answer) { m_answers.push_back(answer); }
    const std::vector<Shown>& shown() const { return m_shown; }
    void clear() { m_shown.clear(); }

private:
    std::vector<Shown> m_shown;
    std::deque<MessageAnswer> m_answers;
};

} // namespace events
