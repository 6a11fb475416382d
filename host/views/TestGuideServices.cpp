#include "TestGuideServices.h"

#include "TestGuideTitle.h"

#include "events/MessageBoxes.h"

namespace host {

QString TestGuideServices::GetWindowTitle(const std::shared_ptr<Nelvar::ITestElement>& element)
{
    const QString title = testTitle(element);
    return title.isEmpty() ? QStringLiteral("Nelvar") : title + QStringLiteral(" - Nelvar");
}

bool TestGuideServices::ConfirmAbort()
{
    return events::MessageBoxes::current().show(QStringLiteral("Do you want to abort this test?"),
                                                events::mbYesNo | events::mbQuestion,
                                                QStringLiteral("Please confirm"))
        == events::mbrYes;
}

} // namespace host
