#pragma once

#include <QByteArray>

// The terminal's side of the framing: finds the program's frames in the byte
// stream. Program frames carry no length for every command (a parameter read
// is the code alone), so the body length follows from the code, as it does
// in the terminal's firmware.
//
// Bytes that turn out not to belong to a frame are handed back as stray
// bytes: in the pass-through modes they are text for the modem or receiver.
class SimFrameParser
{
public:
    struct Result
    {
        QByteArray stray;     // bytes outside frames, in order
        bool frame = false;   // a frame ended with this byte
        bool checksumOk = false;
        QByteArray body;      // the frame's body (code first), without checksum
        QByteArray raw;       // every byte of the frame, preamble to checksum
    };

    // Takes one byte; the preamble is the one of the terminal's current framing.
    Result push(quint8 b, const QByteArray &preamble);
    // Forgets a half-received frame (a pause on the line); its bytes are lost.
    void reset();
    // Gives up a half-received frame and hands back its bytes.
    QByteArray takeHeld();
    bool idle() const { return m_state == State::Hunting && m_held.isEmpty(); }

    // How many body bytes follow the code: -1 when a length byte says so.
    static int fixedBodyLength(quint8 code);

private:
    enum class State { Hunting, Code, Length, Data, Checksum };

    State m_state = State::Hunting;
    QByteArray m_held; // preamble candidate, then the whole frame so far
    QByteArray m_body;
    int m_remaining = 0;
};
