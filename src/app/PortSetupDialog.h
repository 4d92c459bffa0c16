#pragma once

#include "link/Port.h"

#include <QDialog>

class QComboBox;
class QLabel;

// The serial port setup dialog "Setup": port, speed, data bits, stop bits,
// parity and flow control, prefilled from the port's settings. "OK" gives
// the choices back through settings(); "Cancel" leaves them alone.
class PortSetupDialog : public QDialog
{
    Q_OBJECT
public:
    // problem: why the last attempt to open the port failed, shown below the
    // fields; empty on the first showing.
    PortSetupDialog(const Port::Settings &settings, const QString &problem, QWidget *parent = nullptr);

    // The choices, starting from the settings the dialog was given.
    Port::Settings settings() const;

private:
    void showDescription();

    Port::Settings m_initial;
    QComboBox *m_port;
    QLabel *m_description;
    QComboBox *m_baud;
    QComboBox *m_dataBits;
    QComboBox *m_stopBits;
    QComboBox *m_parity;
    QComboBox *m_flow;
};
