#include "PortFactory.h"

#include "SimMessageHeader.h"
#include "SimPort.h"
#include "link/SerialPort.h"

std::unique_ptr<Port> createPort(const QString &name, QObject *parent)
{
    std::unique_ptr<Port> port;
    if (name == QLatin1String("sim"))
        port = std::make_unique<SimPort>(parent);
    else
        port = std::make_unique<SerialPort>(parent);
    Port::Settings s = port->settings();
    s.name = name;
    port->setSettings(s);
    return port;
}

QByteArray bundledMessageHeader(const QString &portName)
{
    return portName == QLatin1String("sim") ? SimMessageHeader::bundledText() : QByteArray();
}
