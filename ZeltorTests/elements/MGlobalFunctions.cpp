#include "elements/MGlobalFunctions.h"

#include "elements/HighResTimer.h"

#include "HostServices.h"
#include "Product.h"

#include "events/MessageBoxes.h"

#include <QLineEdit>

#include "com/Failure.h"

namespace ZeltorTests::MGlobalFunctions {

std::shared_ptr<HighResTimer> CreateHighResTimer()
{
    const auto create = [] {
        std::shared_ptr<HighResTimer> timer;
        com::ignoreFailure([&] { timer = std::make_shared<HighResTimer>(events::EventLoop::current().createTimer()); });
        return timer;
    };
    auto timer = create();
    if (!timer)
        timer = create();
    if (!timer)
        com::ignoreFailure([] {
            auto& language = Nelvar::languageService();
            events::MessageBoxes::current().show(
                language.GetText(Zeltor::kProduct,
                                 QStringLiteral("21007::You do not have sufficient access privileges to perform this "
                                                "operation.Please contact the system administrator.")),
                events::mbCritical, language.GetText(Zeltor::kProduct, QStringLiteral("21008::Permission denied.")));
        });
    return timer;
}

int16_t FilterDigitKey(int16_t keyCode)
{
    constexpr int16_t kBackspace = 8;
    return (keyCode >= '0' && keyCode <= '9') || keyCode == kBackspace ? keyCode : int16_t{0};
}

void SelectAllText(QLineEdit& textBox)
{
    textBox.setSelection(0, static_cast<int>(textBox.text().size()));
}

} // namespace ZeltorTests::MGlobalFunctions
