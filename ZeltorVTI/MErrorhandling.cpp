#include "MErrorhandling.h"

#include "VtiTypes.h"

#include "HostServices.h"
#include "Product.h"
#include "com/Failure.h"
#include "com/Value.h"
#include "events/MessageBoxes.h"
#include "serial/DataLink.h"

namespace ZeltorVTI::MErrorhandling {

namespace {

// The platform's default title for boxes without a caption of their own.
const QString kLibraryTitle = QStringLiteral("ZeltorVTI");
const QString kCrLf = QStringLiteral("\r\n");

QString translate(const QString& key)
{
    return Nelvar::languageService().GetText(Zeltor::kProduct, key);
}

QString messageFor(int32_t number, const QString& description)
{
    switch (number) {
    case serial::kErrPortOpenFailed:
    case serial::kErrLinkFailure:
        return translate(QStringLiteral("21000::Communication error with the Zeltor unit. Please check all cables "
                                        "and check that the Zeltor is turned on."));
    case eeVTI_InvalidMsgReceived:
    case eeVTI_InvalidParametersReceived:
        return translate(QStringLiteral("21001::Invalid data recieved from the Zeltor. Boot the Zeltor and restart "
                                        "test. If the error still occurs, a new firmware upload is required."));
    case eeVTI_NotInitialized:
    case eeVTI_Busy:
    case eeVTI_ReceiveTimeout:
    case eeVTI_NoMtiFound:
        return translate(QStringLiteral("21002::No Zeltor connected. Please check all cables and verify that the "
                                        "Zeltor is turned on."));
    default: {
        QString text = translate(QStringLiteral("21006::Unknown error number ")) + QString::number(number);
        if (!description.isEmpty())
            text += kCrLf + description;
        return text;
    }
    }
}

} // namespace

void HandleError(int32_t number, const QString& description)
{
    com::ignoreFailure([&] {
        const QString text = messageFor(number, description);
        if (text.isEmpty())
            return;
        events::MessageBoxes::current().show(text, events::mbOKOnly,
                                             translate(QStringLiteral("21003::Communication error")));
    });
}

void ShowMtiError(const QString& replyCommand, const QStringList& replyParameters)
{
    if (replyCommand != QLatin1String("ERRM"))
        return;
    const QString performed = replyParameters.value(0);
    const QString extra = replyParameters.value(2);
    int32_t number = 0;
    com::ignoreFailure([&] { number = com::Value(replyParameters.value(1)).toInt32(); });
    QString errorText;
    com::ignoreFailure([&] { errorText = GetMtiErrorText(number); });
    const QString message = QStringLiteral("Error received from MTI:") + QString::number(number) + kCrLf + errorText
                            + kCrLf + QStringLiteral("Occurred when performing ") + performed + kCrLf + extra;
    com::ignoreFailure([&] { events::MessageBoxes::current().show(message, events::mbOKOnly, kLibraryTitle); });
}

QString GetMtiErrorText(int32_t mtiErrorNumber)
{
    const char* text = "Unknown error";
    switch (mtiErrorNumber) {
    case 1001: text = "Missing parameter"; break;
    case 1002: text = "Too many parameters"; break;
    case 1003: text = "Invalid parameter"; break;
    case 1101: text = "Uknown message format"; break;
    case 5001: text = "Out of memory"; break;
    case 6000: text = "Uknown command"; break;
    case 6001: text = "Busy"; break;
    case 6002: text = "Test not allowed"; break;
    case 6003: text = "Illegal command"; break;
    case 6004: text = "Command not allowed"; break;
    case 7001: text = "Object not found"; break;
    default: break;
    }
    QString translated;
    com::ignoreFailure([&] { translated = translate(QString::fromLatin1(text)); });
    return translated;
}

} // namespace ZeltorVTI::MErrorhandling
