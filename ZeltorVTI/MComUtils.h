#pragma once

#include "com/Value.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

// The text protocol of the instrument in command/reply mode. Stateless.
namespace ZeltorVTI::MComUtils {

// One command frame: "$", the command, "," and each escaped parameter, a carriage return, as ANSI
// bytes. `parameters` may be Empty (none), one value, or an array whose elements are the parameters.
QByteArray BuildMessage(const QString& command, const com::Value& parameters = {});

// A parameter's text: floating values in the general form with "." (".5"), other values in their
// ordinary text form; a backslash goes before every backslash, comma and carriage return, so no
// parameter can end the frame or start another field.
QString EscapeParameter(const com::Value& value);

// Parses a reply frame into its command and parameters; returns the parameter count. The first
// byte is passed over, a backslash makes the next byte literal, a field that no "," or carriage
// return ends is dropped, and bytes after the closing carriage return are ignored.
int32_t ParseMessage(const QByteArray& reply, QString& command, QStringList& parameters);

// Accepts a reply whose command is exactly `expected`. An "ERRM" reply shows the instrument's error
// and raises eeVTI_MTIError; any other reply raises eeVTI_InvalidMsgReceived.
void CheckReply(const QString& replyCommand, const QStringList& replyParameters, const QString& expected);

} // namespace ZeltorVTI::MComUtils
