#pragma once

#include "link/TBuf.h"

#include <QList>
#include <QMap>

#include <functional>

class ScriptedPort;
class VirtualPump;

// A terminal with a bootloader behind a scripted port: it answers 7E in the
// normal framing and the bootloader commands in the AA 77 framing, keeps the
// data of every accepted block, and follows a per-command script of answers.
class FakeBootDevice
{
public:
    enum class Answer { Ok, Refuse, Nak, Silent, Empty };

    FakeBootDevice(ScriptedPort &port, VirtualPump &pump);

    struct Frame
    {
        TBuf body;
        bool bootFraming;
        qint64 at; // virtual time of the write
    };

    // Answers for the next requests with a code, used up in order; Ok after that.
    QMap<quint8, QList<Answer>> script;
    bool answerSwitch = true; // answer 7E 01 01
    int replyDelayMs = 5;
    // Called for every frame after it has been recorded and answered.
    std::function<void(const Frame &)> onFrame;

    QList<Frame> frames;
    TBuf image; // the data of every accepted block, in order

    // The bodies received, for comparing whole exchanges.
    QList<TBuf> bodies() const;
    int count(quint8 code) const;

private:
    void receive(const QByteArray &written);

    ScriptedPort &m_port;
    VirtualPump &m_pump;
};
