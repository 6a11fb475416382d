#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// How the instrument link tells the user about a failure. None of these raises.
namespace ZeltorVTI::MErrorhandling {

// Shows the message box that explains error `number`; `description` is the text that came with
// the failure, shown for numbers the link has no message of its own for.
void HandleError(int32_t number, const QString& description);

// Shows the error the instrument reported in an "ERRM" reply; does nothing for another reply.
void ShowMtiError(const QString& replyCommand, const QStringList& replyParameters);

// The translated text of one of the instrument's error numbers.
QString GetMtiErrorText(int32_t mtiErrorNumber);

} // namespace ZeltorVTI::MErrorhandling
