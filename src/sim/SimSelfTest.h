#pragma once

#include <QByteArray>
#include <QList>

class SimTerminal;

// The terminal's own self-test: what it reports, and when, for a start
// request's mask. Kinds: 1 navigation receiver, 2 SIM card, 4 modem
// identity, 16 FLASH memory (the SRAM check, kind 32, runs with it or alone).
class SimSelfTest
{
public:
    enum Kind : quint8 { Run = 0, Gps = 1, Ccid = 2, Imei = 4, Flash = 16, Sram = 32 };
    enum Status : quint8 { Ok = 0, Info = 1, Warning = 2, Error = 3, Data = 4, CcidRead = 5, ImeiRead = 6, Started = 0xF1, Finished = 0xF2 };

    struct Report
    {
        int atMs; // after the start reply
        QByteArray payload; // kind, status, data
    };

    // The kinds that report a failure (a mask of Kind values); none by default.
    quint8 failing = 0;

    // The masks a start request may carry: the terminal's own tests only.
    static constexpr quint8 OwnTests = Gps | Ccid | Imei | Flash | Sram;

    // The reports of one run, in order, ending with the run's end report.
    QList<Report> run(quint8 mask, const SimTerminal &terminal) const;
};
