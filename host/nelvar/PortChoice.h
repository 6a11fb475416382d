#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <optional>

class QComboBox;
class QDialogButtonBox;

// The ports the user is offered for the instrument: the serial devices found on this machine by
// their paths, then "sim", the built-in simulated instrument.
QStringList offeredPorts();

// Asks the user which port the instrument is on before the control panel opens: the offered
// ports in a list that also takes a typed device path (a pseudo terminal is not found by the
// search), with the configured port chosen when there is one. OK needs a port; Cancel and the
// close box choose none.
class PortChoice final : public QDialog {
public:
    PortChoice(const QStringList& ports, const QString& configured, QWidget* parent = nullptr);

    // The port as the user chose or typed it, without surrounding blanks.
    QString port() const;

    QComboBox& portBox() const { return *m_ports; }
    QDialogButtonBox& buttons() const { return *m_buttons; }

private:
    QComboBox* m_ports = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

// Asks for the port among the offered ones, the configured port chosen; none when the user
// cancels.
std::optional<QString> askForPort(QWidget* parent);
