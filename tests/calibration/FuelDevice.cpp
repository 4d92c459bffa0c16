#include "FuelDevice.h"

#include "ScriptedPort.h"

#include "link/Commands.h"
#include "link/Link.h"

FuelDevice::FuelDevice(ScriptedPort &port)
    : m_port(port)
{
    port.device = [this](const QByteArray &frame) {
        const QByteArray body = frame.mid(4, frame.size() - 5);
        bodies.append(body);
        switch (static_cast<quint8>(body[0])) {
        case Commands::cmdReadFuelPoint: answer(pointReplies, Commands::cmdReadFuelPoint, std::nullopt); break;
        case Commands::cmdWriteFuelPoint: answer(writeReplies, Commands::cmdWriteFuelPoint, QByteArray(1, '\0')); break;
        case Commands::cmdReadFuelLevel: answer(levelReplies, Commands::cmdReadFuelLevel, std::nullopt); break;
        default: break;
        }
    };
}

void FuelDevice::answer(Script &script, quint8 code, const std::optional<QByteArray> &fallback)
{
    const std::optional<QByteArray> reply = script.isEmpty() ? fallback : script.takeFirst();
    if (reply)
        m_port.reply(terminalFrame(code, *reply));
}

QList<QByteArray> FuelDevice::bodiesWithCode(quint8 code) const
{
    QList<QByteArray> out;
    for (const QByteArray &b : bodies)
        if (static_cast<quint8>(b[0]) == code)
            out.append(b);
    return out;
}

QByteArray FuelDevice::point(quint16 litres100, quint16 adc, quint8 state, quint8 index)
{
    QByteArray p;
    p.append(static_cast<char>(litres100 & 0xFF)).append(static_cast<char>(litres100 >> 8));
    p.append(static_cast<char>(adc & 0xFF)).append(static_cast<char>(adc >> 8));
    p.append(static_cast<char>(state)).append(static_cast<char>(index));
    return p;
}

FuelDevice::Script FuelDevice::silence()
{
    return Script(Link::MaxFrames, std::nullopt);
}
