#pragma once

#include "Port.h"

#include <QSerialPort>

// The system serial port (COM3, /dev/ttyUSB0, /dev/pts/7).
class SerialPort final : public Port
{
    Q_OBJECT
public:
    explicit SerialPort(QObject *parent = nullptr);
    ~SerialPort() override;

    bool open() override;
    void close() override;
    bool isOpen() const override;
    bool write(const QByteArray &bytes) override;

private:
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
};
