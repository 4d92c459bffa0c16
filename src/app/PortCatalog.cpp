#include "PortCatalog.h"

#include <QSerialPortInfo>
#include <QStringList>

namespace PortCatalog {

namespace {
QString describe(const QSerialPortInfo &info)
{
    QStringList parts;
    if (!info.description().isEmpty())
        parts << info.description();
    if (!info.manufacturer().isEmpty() && info.manufacturer() != info.description())
        parts << info.manufacturer();
    if (!info.serialNumber().isEmpty())
        parts << QStringLiteral("SN %1").arg(info.serialNumber());
    return parts.join(QStringLiteral(", "));
}
} // namespace

QList<Entry> ports()
{
    QList<Entry> list;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos)
        list.append({info.portName(), describe(info)});
    list.append({SimName, QStringLiteral("Встроенный имитатор терминала")});
    return list;
}

QString defaultPortName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM1");
#else
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos) {
        if (info.hasVendorIdentifier())
            return info.portName();
    }
    return QStringLiteral("ttyS0");
#endif
}

} // namespace PortCatalog
