#include "ErrorTexts.h"

namespace Zeltor {

QString ownErrorText(int32_t number)
{
    switch (static_cast<uint32_t>(number)) {
    // The plug-in object, its test catalogue and its settings.
    case 0x8004A229u: return QStringLiteral("The plug-in is not initialised");
    case 0x8004A22Au: return QStringLiteral("The test template file was not found");
    case 0x8004A22Cu:
        return QStringLiteral("The test template file is not valid: it needs a \"TemplateData\" element whose "
                              "\"TestElement\" entries each have a \"ClassName\" and an \"ID\"");
    case 0x8004A233u: return QStringLiteral("The plug-in's catalogue has no test of this identifier");
    case 0x8004A28Eu: return QStringLiteral("The settings key holds no values");
    case 0x8004A28Fu: return QStringLiteral("The test template file cannot be read");
    // Records of parameters, configurations, results, measurements, trends and limits.
    case 0x8004A3C2u: return QStringLiteral("The element is not a parameter or configuration record of this plug-in");
    case 0x8004A3C3u: return QStringLiteral("The document did not create the element of a parameter record");
    case 0x8004A3EBu: return QStringLiteral("The element is not a result record (\"ResultItem\")");
    case 0x8004A3ECu: return QStringLiteral("The document did not create the element of a result record");
    case 0x8004A3FFu:
        return QStringLiteral("The element is not a measurement record of this parameter or not a trend collection");
    case 0x8004A400u:
        return QStringLiteral("The document did not create the element of a measurement, trend or snapshot record");
    case 0x8004A4EEu: return QStringLiteral("The element is not an expected-result record (\"ExpectedResult\")");
    // The instrument link.
    case 0x8004A463u: return QStringLiteral("The instrument answered with another reply than the one expected");
    case 0x8004A464u: return QStringLiteral("The instrument's reply holds invalid parameters");
    case 0x8004A465u: return QStringLiteral("The instrument is not connected");
    case 0x8004A466u: return QStringLiteral("The instrument is busy");
    case 0x8004A467u: return QStringLiteral("The instrument did not reply in time");
    case 0x8004A468u: return QStringLiteral("The instrument link failed; its message says why");
    case 0x8004A469u: return QStringLiteral("No instrument was found");
    case 0x8004A46Au: return QStringLiteral("The instrument refused the command");
    default: return {};
    }
}

} // namespace Zeltor
