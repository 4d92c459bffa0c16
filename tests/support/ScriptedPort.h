#pragma once

#include "link/Port.h"

#include <QList>

class VirtualPump;

// A port for tests: captures every write, hands each written frame to a
// scripted device, and delivers the device's bytes after a virtual delay.
class ScriptedPort final : public Port
{
    Q_OBJECT
public:
    explicit ScriptedPort(VirtualPump &pump, QObject *parent = nullptr);

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_open; }
    bool write(const QByteArray &bytes) override;

    // Called with every write while the port is open.
    std::function<void(const QByteArray &written)> device;
    // Delivers bytes to the receiver (or attached sink) delayMs from now.
    void reply(const QByteArray &bytes, int delayMs = 5);
    // Delivers bytes at once.
    void inject(const QByteArray &bytes) { deliver(bytes); }
    // The device disappears: the port closes and reports the loss once.
    void vanish();

    bool failOpen = false;
    QList<QByteArray> written;

private:
    VirtualPump &m_pump;
    bool m_open = false;
};

// A frame as the terminal sends it: preamble, code, length, payload, XOR.
QByteArray terminalFrame(quint8 cmd, const QByteArray &payload, bool bootloader = false);
// A frame as the program sends it for a body (preamble, body, XOR).
QByteArray programFrame(const QByteArray &body, bool bootloader = false);
