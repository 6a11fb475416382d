#include "DialogDock.h"

#include "com/Failure.h"

#include <QResizeEvent>

namespace host {

DialogDock::DialogDock(QWidget* parent) : QWidget(parent) {}

DialogDock::~DialogDock()
{
    setDialog(nullptr);
}

void DialogDock::setDialog(std::shared_ptr<Nelvar::IDialog> dialog)
{
    if (dialog == m_dialog)
        return;
    if (const auto previous = std::exchange(m_dialog, nullptr))
        com::ignoreFailure([&] { previous->Unload(); });
    m_dialog = std::move(dialog);
    if (!m_dialog)
        return;
    m_dialog->Dock(this);
    fitDialog();
    m_dialog->Show(0);
}

void DialogDock::setLocked(bool locked)
{
    if (m_dialog)
        m_dialog->setLocked(locked);
}

void DialogDock::refresh()
{
    if (m_dialog)
        m_dialog->Refresh();
}

void DialogDock::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    com::ignoreFailure([this] { fitDialog(); });
}

void DialogDock::fitDialog()
{
    if (m_dialog)
        m_dialog->Move(0.0f, 0.0f, static_cast<float>(width()), static_cast<float>(height()));
}

} // namespace host
