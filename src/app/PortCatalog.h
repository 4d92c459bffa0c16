#pragma once

#include <QList>
#include <QString>

// The serial ports the system lists, as the setup dialog offers them, and the
// name to start from when the settings name none.
namespace PortCatalog {

// The port name that opens the simulated terminal inside the process.
inline const QString SimName = QStringLiteral("sim");

struct Entry
{
    QString name;
    QString description; // what the system says about it: kind, maker, serial number
};

// The system's ports in its order, then "sim".
QList<Entry> ports();
// "COM1" on Windows; elsewhere the first USB serial adapter, else "ttyS0".
QString defaultPortName();

} // namespace PortCatalog
