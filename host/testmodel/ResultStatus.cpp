#include "ResultStatus.h"

namespace host {

QString resultStatusText(int32_t status)
{
    switch (status) {
    case rstNotJudged: return QStringLiteral("not judged");
    case rstPassed: return QStringLiteral("passed");
    case rstFailed: return QStringLiteral("failed");
    case rstNotApplicable: return QStringLiteral("not applicable");
    default: return QStringLiteral("status %1").arg(status);
    }
}

} // namespace host
