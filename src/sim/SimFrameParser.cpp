#include "SimFrameParser.h"

#include "link/Commands.h"

int SimFrameParser::fixedBodyLength(quint8 code)
{
    using namespace Commands;
    switch (code) {
    case cmdReadFuelLevel: return 2; // 21 01: a length byte without its data byte
    case cmdReadFuelPoint:
    case cmdReadRelays: return -1;
    case cmdBootImageDone:
    case cmdBootLeave:
    case cmdBootEnter: return 1;
    default: break;
    }
    // Parameter reads, and the unused numbers among them, are the code alone.
    if (code >= 1 && code <= 45)
        return 1;
    if (code == cmdReadFirmware)
        return 1;
    return -1;
}

void SimFrameParser::reset()
{
    m_state = State::Hunting;
    m_held.clear();
    m_body.clear();
    m_remaining = 0;
}

QByteArray SimFrameParser::takeHeld()
{
    const QByteArray held = m_held;
    reset();
    return held;
}

SimFrameParser::Result SimFrameParser::push(quint8 b, const QByteArray &preamble)
{
    Result r;
    const char c = static_cast<char>(b);
    switch (m_state) {
    case State::Hunting:
        if (c == preamble.at(m_held.size())) {
            m_held.append(c);
            if (m_held.size() == preamble.size())
                m_state = State::Code;
            return r;
        }
        // A broken preamble is plain text; the byte that broke it may start a new one.
        r.stray = m_held;
        m_held.clear();
        if (c == preamble.at(0))
            m_held.append(c);
        else
            r.stray.append(c);
        return r;
    case State::Code: {
        m_held.append(c);
        m_body = QByteArray(1, c);
        const int fixed = fixedBodyLength(b);
        if (fixed < 0) {
            m_state = State::Length;
        } else {
            m_remaining = fixed - 1;
            m_state = m_remaining > 0 ? State::Data : State::Checksum;
        }
        return r;
    }
    case State::Length:
        m_held.append(c);
        m_body.append(c);
        m_remaining = b;
        m_state = m_remaining > 0 ? State::Data : State::Checksum;
        return r;
    case State::Data:
        m_held.append(c);
        m_body.append(c);
        if (--m_remaining == 0)
            m_state = State::Checksum;
        return r;
    case State::Checksum: {
        m_held.append(c);
        quint8 crc = 0;
        for (char x : std::as_const(m_body))
            crc ^= static_cast<quint8>(x);
        r.frame = true;
        r.checksumOk = crc == b;
        r.body = m_body;
        r.raw = m_held;
        reset();
        return r;
    }
    }
    return r;
}
