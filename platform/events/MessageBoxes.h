#pragma once

#include <QString>

#include <cstdint>
#include <memory>

namespace events {

// Button and icon style of a message box, as the original runtime numbers them.
enum MessageStyle : int32_t {
    mbOKOnly = 0,
    mbOKCancel = 1,
    mbAbortRetryIgnore = 2,
    mbYesNoCancel = 3,
    mbYesNo = 4,
    mbRetryCancel = 5,
    mbCritical = 16,
    mbQuestion = 32,
    mbExclamation = 48,
    mbInformation = 64,
};

// The answer of a message box.
enum MessageAnswer : int32_t {
    mbrOK = 1,
    mbrCancel = 2,
    mbrAbort = 3,
    mbrRetry = 4,
    mbrIgnore = 5,
    mbrYes = 6,
    mbrNo = 7,
};

// True when windows and boxes reach someone: a GUI application on a platform with a display (not
// Qt's offscreen or minimal platform).
bool displayPresent();

// Message boxes and questions to the user: text, style and title in, the user's answer out.
// An empty title means the application's default title.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer show(const QString& text, int32_t style, const QString& title) = 0;

    // The service in use: Qt boxes when a display is present, the terminal otherwise, unless a
    // test installed another.
    static MessageBoxes& current();
    static void install(std::shared_ptr<MessageBoxes> boxes);

    // The title shown for an empty title.
    static QString defaultTitle();
};

} // namespace events
