#include "elements/RunMessages.h"

#include "GMiscConverters.h"

#include "HostServices.h"
#include "Product.h"

#include "com/Failure.h"
#include "events/MessageBoxes.h"

namespace ZeltorTests::RunMessages {

namespace {

const QString kTitleKey = QStringLiteral("20000::Zeltor Ventilator tester");

QString text(const QString& key) { return Nelvar::languageService().GetText(Zeltor::kProduct, key); }

} // namespace

QString streamingStoppedText(int32_t elapsedSeconds)
{
    QString message;
    com::ignoreFailure([&] {
        message = text(QStringLiteral("20004::It appears that the Zeltor unit has stopped streaming results. Test "
                                      "aborted.\r\n")
                       + text(QStringLiteral("20351::Time Elapsed: ")))
                  + ZeltorConverter::GMiscConverters::SecondsToTimeString(elapsedSeconds);
    });
    return message;
}

void showStreamingStopped(const QString& message)
{
    com::ignoreFailure([&] { events::MessageBoxes::current().show(message, events::mbCritical, text(kTitleKey)); });
}

void showRunEnd(const QString& textKey)
{
    com::ignoreFailure([&] {
        events::MessageBoxes::current().show(text(textKey), events::mbInformation,
                                             QStringLiteral("Nelvar ") + text(kTitleKey));
    });
}

} // namespace ZeltorTests::RunMessages
