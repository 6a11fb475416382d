#include "ControlPanelWindow.h"

#include "SetupPage.h"

#include "views/DialogDock.h"

#include "Dialogs.h"
#include "PlugIn.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QTabBar>
#include <QVBoxLayout>

#include <utility>

ControlPanelWindow::ControlPanelWindow(std::shared_ptr<Nelvar::ISetup> controlPanel, QWidget* parent)
    : QDialog(parent), m_controlPanel(std::move(controlPanel))
{
    setWindowTitle(tr("Instrument control panel"));
    m_page = new host::DialogDock;
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_page, 1);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    m_page->setDialog(setupPage(m_controlPanel.get()));
    if (m_page->dialog()) {
        // Wide enough for both frames of the views tab to show their texts whole.
        m_page->setMinimumSize(620, 400);
    } else {
        m_page->hide();
        auto* notice = new QLabel(m_controlPanel ? tr("The plug-in's instrument control panel has no page to show.")
                                                 : tr("The plug-in has no instrument control panel."));
        notice->setAlignment(Qt::AlignCenter);
        notice->setMinimumSize(300, 80);
        layout->addWidget(notice, 1);
    }
    layout->addWidget(m_buttons);
}

ControlPanelWindow::~ControlPanelWindow() = default;

bool ControlPanelWindow::selectTab(int index)
{
    auto* const tabStrip = m_page->findChild<QTabBar*>(QStringLiteral("tbsTabStrip"));
    if (!tabStrip || index < 0 || index >= tabStrip->count())
        return false;
    tabStrip->setCurrentIndex(index);
    return true;
}
