#include "PortWatcher.h"

#include <QSerialPortInfo>

bool PortWatcher::Identity::sameAdapter(const Identity &other) const
{
    return hasIds && other.hasIds && vendor == other.vendor && product == other.product
           && manufacturer == other.manufacturer && serialNumber == other.serialNumber;
}

PortWatcher::PortWatcher(QObject *parent)
    : QObject(parent)
{
    m_poll.setInterval(PollMs);
    connect(&m_poll, &QTimer::timeout, this, &PortWatcher::poll);
}

QList<PortWatcher::Identity> PortWatcher::systemPorts()
{
    QList<Identity> list;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos) {
        Identity id;
        id.name = info.portName();
        id.hasIds = info.hasVendorIdentifier() && info.hasProductIdentifier();
        id.vendor = info.vendorIdentifier();
        id.product = info.productIdentifier();
        id.manufacturer = info.manufacturer();
        id.serialNumber = info.serialNumber();
        list.append(id);
    }
    return list;
}

void PortWatcher::watch(const QString &portName)
{
    m_poll.stop();
    m_adapter = {};
    const auto ports = listPorts();
    for (const Identity &id : ports) {
        if (id.name == portName) {
            m_adapter = id;
            break;
        }
    }
}

void PortWatcher::portLost()
{
    if (m_adapter.hasIds)
        m_poll.start();
}

void PortWatcher::poll()
{
    const auto ports = listPorts();
    for (const Identity &id : ports) {
        if (m_adapter.sameAdapter(id)) {
            emit returned(id.name);
            return;
        }
    }
}
