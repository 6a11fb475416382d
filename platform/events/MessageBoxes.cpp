#include "MessageBoxes.h"

#include "QtMessageBoxes.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace events {

namespace {

std::shared_ptr<MessageBoxes>& installedBoxes()
{
    static std::shared_ptr<MessageBoxes> boxes;
    return boxes;
}

} // namespace

bool displayPresent()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

MessageBoxes& MessageBoxes::current()
{
    auto& boxes = installedBoxes();
    if (!boxes) {
        if (displayPresent())
            boxes = std::make_shared<QtMessageBoxes>();
        else
            boxes = std::make_shared<TerminalMessageBoxes>();
    }
    return *boxes;
}

void MessageBoxes::install(std::shared_ptr<MessageBoxes> boxes)
{
    installedBoxes() = std::move(boxes);
}

QString MessageBoxes::defaultTitle()
{
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Nelvar") : name;
}

} // namespace events
