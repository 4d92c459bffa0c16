#pragma once

#include "PortSink.h"

#include <QObject>
#include <QSerialPort>
#include <QString>

#include <functional>

// The one way to the terminal's serial line. Backends: the system serial
// port, the in-process simulated terminal and the scripted test port.
//
// Received bytes go to the attached sink (a pass-through terminal view) when
// there is one, otherwise to the receiver callback (the frame receiver).
class Port : public QObject
{
    Q_OBJECT
public:
    struct Settings
    {
        QString name = QStringLiteral("COM1");
        qint32 baudRate = 9600;
        QSerialPort::DataBits dataBits = QSerialPort::Data8;
        QSerialPort::StopBits stopBits = QSerialPort::OneStop;
        QSerialPort::Parity parity = QSerialPort::NoParity;
        QSerialPort::FlowControl flowControl = QSerialPort::NoFlowControl;
    };

    using Receiver = std::function<void(const QByteArray &)>;

    explicit Port(QObject *parent = nullptr);
    ~Port() override;

    // Opens with settings(); on failure returns false and errorString() says why.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Writes all bytes or reports failure; the link does not examine the result.
    virtual bool write(const QByteArray &bytes) = 0;
    // write() for the program's own traffic: also tells the transmit lamp.
    bool transmit(const QByteArray &bytes);

    const Settings &settings() const { return m_settings; }
    void setSettings(const Settings &settings) { m_settings = settings; }
    QString errorString() const { return m_error; }

    void setReceiver(Receiver receiver) { m_receiver = std::move(receiver); }
    void attachSink(PortSink *sink) { m_sink = sink; }
    void detachSink() { m_sink = nullptr; }
    PortSink *sink() const { return m_sink; }

signals:
    // The device went away (adapter pulled, pty closed). The port is already
    // closed when this is emitted, and it is emitted once per loss.
    void lost(const QString &reason);
    // Traffic, for the line-state lamps.
    void transmitted();
    void received();

protected:
    // Backends hand every received chunk here, in order.
    void deliver(const QByteArray &bytes);
    void setErrorString(const QString &error) { m_error = error; }

private:
    Settings m_settings;
    QString m_error;
    Receiver m_receiver;
    PortSink *m_sink = nullptr;
};
