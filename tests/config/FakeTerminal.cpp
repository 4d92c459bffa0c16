#include "FakeTerminal.h"

#include "ConnectLink.h"
#include "link/Commands.h"

QByteArray hex(const char *spaced)
{
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}

FakeTerminal::FakeTerminal()
{
    connectLink(link, port);
    port.device = [this](const QByteArray &frame) {
        // preamble (4), body, XOR (1)
        const QByteArray body = frame.mid(4, frame.size() - 5);
        requests.append(body);
        if (silent || body.isEmpty())
            return;
        const quint8 code = static_cast<quint8>(body.at(0));
        if (code > Commands::WriteOffset) {
            values.insert(static_cast<quint8>(code - Commands::WriteOffset), body.mid(2));
            port.reply(terminalFrame(code, {}));
        } else if (values.contains(code)) {
            port.reply(terminalFrame(code, values.value(code)));
        }
    };
}

QStringList FakeTerminal::requestsHex() const
{
    QStringList out;
    for (const QByteArray &r : requests)
        out << QString::fromLatin1(r.toHex(' ').toUpper());
    return out;
}
