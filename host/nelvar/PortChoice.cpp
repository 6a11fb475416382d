#include "PortChoice.h"

#include "serial/PortFinder.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSerialPortInfo>

namespace {

const QString kSimulatedPort = QStringLiteral("sim");

} // namespace

QStringList offeredPorts()
{
    QStringList ports;
    for (const QSerialPortInfo& found : QSerialPortInfo::availablePorts())
        ports << found.systemLocation();
    ports.sort();
    ports << kSimulatedPort;
    return ports;
}

PortChoice::PortChoice(const QStringList& ports, const QString& configured, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Instrument port"));
    m_ports = new QComboBox;
    m_ports->setEditable(true);
    m_ports->setInsertPolicy(QComboBox::NoInsert);
    m_ports->addItems(ports);
    m_ports->setMinimumContentsLength(24);
    if (!configured.isEmpty()) {
        if (m_ports->findText(configured) < 0)
            m_ports->insertItem(0, configured);
        m_ports->setCurrentIndex(m_ports->findText(configured));
    }
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QFormLayout(this);
    layout->addRow(tr("The instrument is on port:"), m_ports);
    layout->addRow(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    const auto requirePort = [this] { m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!port().isEmpty()); };
    connect(m_ports, &QComboBox::currentTextChanged, this, requirePort);
    requirePort();
}

QString PortChoice::port() const
{
    return m_ports->currentText().trimmed();
}

std::optional<QString> askForPort(QWidget* parent)
{
    PortChoice choice(offeredPorts(), serial::configuredPort(), parent);
    if (choice.exec() != QDialog::Accepted)
        return std::nullopt;
    return choice.port();
}
