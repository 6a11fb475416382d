#include "QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <utility>
#include <vector>

namespace events {

namespace {

using Button = std::pair<QMessageBox::StandardButton, MessageAnswer>;

std::vector<Button> buttonsOf(int32_t style)
{
    switch (style & 7) {
    case mbOKCancel: return {{QMessageBox::Ok, mbrOK}, {QMessageBox::Cancel, mbrCancel}};
    case mbAbortRetryIgnore:
        return {{QMessageBox::Abort, mbrAbort}, {QMessageBox::Retry, mbrRetry}, {QMessageBox::Ignore, mbrIgnore}};
    case mbYesNoCancel:
        return {{QMessageBox::Yes, mbrYes}, {QMessageBox::No, mbrNo}, {QMessageBox::Cancel, mbrCancel}};
    case mbYesNo: return {{QMessageBox::Yes, mbrYes}, {QMessageBox::No, mbrNo}};
    case mbRetryCancel: return {{QMessageBox::Retry, mbrRetry}, {QMessageBox::Cancel, mbrCancel}};
    default: return {{QMessageBox::Ok, mbrOK}};
    }
}

QMessageBox::Icon iconOf(int32_t style)
{
    switch (style & 0x70) {
    case mbCritical: return QMessageBox::Critical;
    case mbQuestion: return QMessageBox::Question;
    case mbExclamation: return QMessageBox::Warning;
    case mbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

QString shownTitle(const QString& title)
{
    return title.isEmpty() ? MessageBoxes::defaultTitle() : title;
}

} // namespace

MessageAnswer QtMessageBoxes::show(const QString& text, int32_t style, const QString& title)
{
    QMessageBox box(iconOf(style), shownTitle(title), text);
    const auto buttons = buttonsOf(style);
    QMessageBox::StandardButtons standard;
    for (const auto& [button, answer] : buttons)
        standard |= button;
    box.setStandardButtons(standard);
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const auto& [button, answer] : buttons)
        if (button == pressed)
            return answer;
    return buttons.back().second; // closed without a button: the last one, as Escape does
}

MessageAnswer TerminalMessageBoxes::show(const QString& text, int32_t style, const QString& title)
{
    std::fprintf(stderr, "[%s]\n%s\n", qPrintable(shownTitle(title)), qPrintable(text));
    std::fflush(stderr);
    return buttonsOf(style).front().second;
}

} // namespace events
