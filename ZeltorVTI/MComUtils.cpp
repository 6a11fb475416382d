#include "MComUtils.h"

#include "MErrorhandling.h"
#include "VtiTypes.h"

#include "HostServices.h"
#include "Product.h"
#include "format/Format.h"

namespace ZeltorVTI::MComUtils {

namespace {

constexpr char kCarriageReturn = '\r';

[[noreturn]] void raiseFromComUtils(int32_t number)
{
    Nelvar::errorService().RaiseError(Zeltor::kProduct, number, kSourceComUtils, 1);
    throw com::Error(number, kSourceComUtils, {}, 1); // not reached: the error service does not return
}

} // namespace

QString EscapeParameter(const com::Value& value)
{
    const QString text = value.isFloating() ? (value.type() == com::Value::Type::Single
                                                   ? format::generalText(value.toFloat())
                                                   : format::generalText(value.toDouble()))
                                            : value.toString();
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char(',') || c == QLatin1Char(kCarriageReturn))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return escaped;
}

QByteArray BuildMessage(const QString& command, const com::Value& parameters)
{
    QString frame = QStringLiteral("$") + command;
    if (parameters.isArray()) {
        for (const com::Value& parameter : parameters.array().items)
            frame += QLatin1Char(',') + EscapeParameter(parameter);
    } else if (!parameters.isEmpty()) {
        frame += QLatin1Char(',') + EscapeParameter(parameters);
    }
    frame += QLatin1Char(kCarriageReturn);
    return format::toAnsi(frame);
}

int32_t ParseMessage(const QByteArray& reply, QString& command, QStringList& parameters)
{
    command.clear();
    parameters.clear();
    bool haveCommand = false;
    bool escaped = false;
    QString field;
    for (qsizetype i = 1; i < reply.size(); ++i) {
        const char byte = reply.at(i);
        if (byte == kCarriageReturn || byte == ',') {
            if (escaped) {
                field += QLatin1Char(byte);
                escaped = false;
                continue;
            }
            if (haveCommand)
                parameters.append(field);
            else
                command = field;
            haveCommand = true;
            field.clear();
            if (byte == kCarriageReturn)
                break;
        } else if (byte == '\\') {
            if (escaped)
                field += QLatin1Char('\\');
            escaped = !escaped;
        } else {
            escaped = false;
            field += format::fromAnsi(byte);
        }
    }
    return static_cast<int32_t>(parameters.size());
}

void CheckReply(const QString& replyCommand, const QStringList& replyParameters, const QString& expected)
{
    if (replyCommand == QLatin1String("ERRM")) {
        MErrorhandling::ShowMtiError(replyCommand, replyParameters);
        raiseFromComUtils(eeVTI_MTIError);
    }
    if (replyCommand != expected || replyCommand.isEmpty())
        raiseFromComUtils(eeVTI_InvalidMsgReceived);
}

} // namespace ZeltorVTI::MComUtils
