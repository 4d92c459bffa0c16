#include "ScriptedPort.h"

#include "VirtualPump.h"

ScriptedPort::ScriptedPort(VirtualPump &pump, QObject *parent)
    : Port(parent)
    , m_pump(pump)
{
}

bool ScriptedPort::open()
{
    if (failOpen) {
        setErrorString(QStringLiteral("Access denied"));
        return false;
    }
    m_open = true;
    return true;
}

void ScriptedPort::close()
{
    m_open = false;
}

bool ScriptedPort::write(const QByteArray &bytes)
{
    if (!m_open)
        return false;
    written.append(bytes);
    if (device)
        device(bytes);
    return true;
}

void ScriptedPort::reply(const QByteArray &bytes, int delayMs)
{
    m_pump.schedule(delayMs, [this, bytes] {
        if (m_open)
            deliver(bytes);
    });
}

void ScriptedPort::vanish()
{
    if (!m_open)
        return;
    m_open = false;
    emit lost(QStringLiteral("device removed"));
}

namespace {
QByteArray withChecksum(QByteArray frame, const QByteArray &checked)
{
    quint8 crc = 0;
    for (char c : checked)
        crc ^= static_cast<quint8>(c);
    frame.append(checked);
    frame.append(static_cast<char>(crc));
    return frame;
}
QByteArray preamble(bool bootloader)
{
    return bootloader ? QByteArrayLiteral("\xAA\x77\xAA\x77") : QByteArrayLiteral("\x0D\x0A\x2A\x3E");
}
} // namespace

QByteArray terminalFrame(quint8 cmd, const QByteArray &payload, bool bootloader)
{
    QByteArray body;
    body.append(static_cast<char>(cmd));
    body.append(static_cast<char>(payload.size()));
    body.append(payload);
    return withChecksum(preamble(bootloader), body);
}

QByteArray programFrame(const QByteArray &body, bool bootloader)
{
    return withChecksum(preamble(bootloader), body);
}
