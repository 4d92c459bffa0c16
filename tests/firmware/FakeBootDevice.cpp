#include "FakeBootDevice.h"

#include "ScriptedPort.h"
#include "VirtualPump.h"

#include "link/Commands.h"

FakeBootDevice::FakeBootDevice(ScriptedPort &port, VirtualPump &pump)
    : m_port(port)
    , m_pump(pump)
{
    m_port.device = [this](const QByteArray &written) { receive(written); };
}

QList<TBuf> FakeBootDevice::bodies() const
{
    QList<TBuf> out;
    for (const Frame &f : frames)
        out.append(f.body);
    return out;
}

int FakeBootDevice::count(quint8 code) const
{
    int n = 0;
    for (const Frame &f : frames)
        n += !f.body.isEmpty() && static_cast<quint8>(f.body[0]) == code;
    return n;
}

void FakeBootDevice::receive(const QByteArray &written)
{
    const bool boot = written.startsWith(QByteArrayLiteral("\xAA\x77\xAA\x77"));
    const Frame frame{written.mid(4, written.size() - 5), boot, m_pump.now()};
    frames.append(frame);
    const quint8 code = frame.body.isEmpty() ? 0 : static_cast<quint8>(frame.body[0]);

    if (!boot) {
        if (code == Commands::cmdBootloader && answerSwitch)
            m_port.reply(terminalFrame(code, QByteArrayLiteral("\x00")), replyDelayMs);
    } else if (code != Commands::cmdBootLeave) {
        const Answer answer = script[code].isEmpty() ? Answer::Ok : script[code].takeFirst();
        switch (answer) {
        case Answer::Ok:
            if (code == Commands::cmdBootBlock)
                image.append(frame.body.mid(2));
            m_port.reply(terminalFrame(code, QByteArrayLiteral("\x00"), true), replyDelayMs);
            break;
        case Answer::Refuse: m_port.reply(terminalFrame(code, QByteArrayLiteral("\x01"), true), replyDelayMs); break;
        case Answer::Nak: m_port.reply(terminalFrame(Commands::cmdNak, {}, true), replyDelayMs); break;
        case Answer::Empty: m_port.reply(terminalFrame(code, {}, true), replyDelayMs); break;
        case Answer::Silent: break;
        }
    }
    if (onFrame)
        onFrame(frame);
}
