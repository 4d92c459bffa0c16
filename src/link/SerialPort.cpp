#include "SerialPort.h"

#include "LinkLog.h"

SerialPort::SerialPort(QObject *parent)
    : Port(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, &SerialPort::onReadyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialPort::onError);
}

SerialPort::~SerialPort()
{
    close();
}

bool SerialPort::open()
{
    if (m_port.isOpen())
        m_port.close();
    const Settings &s = settings();
    m_port.setPortName(s.name);
    m_port.setBaudRate(s.baudRate);
    m_port.setDataBits(s.dataBits);
    m_port.setStopBits(s.stopBits);
    m_port.setParity(s.parity);
    m_port.setFlowControl(s.flowControl);
    if (!m_port.open(QIODevice::ReadWrite)) {
        setErrorString(m_port.errorString());
        qCWarning(lcLink) << "cannot open" << s.name << m_port.errorString();
        return false;
    }
    // The terminal expects DTR and RTS inactive. Pseudo-terminals refuse the
    // ioctl ("Inappropriate ioctl for device"): that is not a failed open.
    m_port.setDataTerminalReady(false);
    m_port.setRequestToSend(false);
    m_port.clearError();
    setErrorString({});
    return true;
}

void SerialPort::close()
{
    if (m_port.isOpen())
        m_port.close();
}

bool SerialPort::isOpen() const
{
    return m_port.isOpen();
}

bool SerialPort::write(const QByteArray &bytes)
{
    if (!m_port.isOpen())
        return false;
    return m_port.write(bytes) == bytes.size();
}

void SerialPort::onReadyRead()
{
    deliver(m_port.readAll());
}

void SerialPort::onError(QSerialPort::SerialPortError error)
{
    // A vanished device raises ReadError/ResourceError endlessly until the port
    // is closed: close it on the first one and report the loss once.
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError)
        return;
    if (!m_port.isOpen())
        return;
    // QSerialPort's own text here is often a stale ioctl message; say what happened.
    const QString reason = QStringLiteral("Порт %1 пропал: устройство отключено").arg(settings().name);
    setErrorString(reason);
    qCWarning(lcLink) << "port lost:" << settings().name << reason;
    m_port.close();
    emit lost(reason);
}
