#pragma once

#include <QByteArray>

// The terminal's GSM modem as the modem pass-through mode shows it: echoes
// what is typed and answers AT commands line by line.
class SimModem
{
public:
    struct Identity
    {
        QByteArray iccid; // as the SIM card reports it (not pair-swapped)
        QByteArray imei;
    };

    // Typed bytes in, the modem's echo and answers out.
    QByteArray input(const QByteArray &bytes, const Identity &identity);
    // The pass-through was left: a half-typed command is forgotten.
    void reset() { m_line.clear(); }
    bool echo() const { return m_echo; }

private:
    QByteArray execute(const QByteArray &command, const Identity &identity);

    QByteArray m_line;
    bool m_echo = true;
};
