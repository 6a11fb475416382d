#include "SettingsWindow.h"

#include "SetupPage.h"

#include "views/DialogDock.h"
#include "views/HostCallBack.h"

#include "Dialogs.h"
#include "PlugIn.h"

#include "com/Error.h"
#include "events/MessageBoxes.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include <utility>

SettingsWindow::SettingsWindow(std::shared_ptr<Nelvar::ISetup> setup, QWidget* parent)
    : QDialog(parent), m_setup(std::move(setup))
{
    setWindowTitle(tr("Settings[*]"));
    m_page = new host::DialogDock;
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_page, 1);
    layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    std::shared_ptr<Nelvar::IDialog> dialog = setupPage(m_setup.get());
    if (dialog)
        dialog->setCallBack(std::make_shared<host::HostCallBack>([this](const QString& eventName, const auto&) {
            if (eventName == QLatin1String("Change"))
                setWindowModified(true);
        }));
    m_page->setDialog(std::move(dialog));
    m_page->setMinimumSize(m_page->dialog() ? QSize(500, 380) : QSize(300, 80));
}

SettingsWindow::~SettingsWindow() = default;

void SettingsWindow::accept()
{
    try {
        if (m_setup)
            m_setup->RegSave(0, QString());
    } catch (const com::Error& error) {
        events::MessageBoxes::current().show(tr("The settings could not be saved: %1").arg(error.description()),
                                             events::mbOKOnly | events::mbCritical, QString());
        return;
    }
    QDialog::accept();
}

void SettingsWindow::reject()
{
    try {
        if (m_setup)
            m_setup->RegLoad(0, QString());
    } catch (const com::Error&) {
        // What cannot be read back stays as the page left it; nothing was stored.
    }
    QDialog::reject();
}
