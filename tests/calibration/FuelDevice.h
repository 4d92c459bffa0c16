#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

class ScriptedPort;

// The fuel table side of a terminal, scripted frame by frame: each written
// frame takes the next reply of its command's script (nullopt: no answer).
class FuelDevice
{
public:
    using Script = QList<std::optional<QByteArray>>;

    explicit FuelDevice(ScriptedPort &port);

    Script pointReplies; // to 0x14; silence once used up
    Script writeReplies; // to 0x93; "accepted" once used up
    Script levelReplies; // to 0x21; silence once used up

    // Every request body the program wrote, without preamble and checksum.
    QList<QByteArray> bodies;
    QList<QByteArray> bodiesWithCode(quint8 code) const;

    static QByteArray point(quint16 litres100, quint16 adc, quint8 state, quint8 index);
    // No answer to a request and to all of the link's repeats of it.
    static Script silence();

private:
    void answer(Script &script, quint8 code, const std::optional<QByteArray> &fallback);

    ScriptedPort &m_port;
};
