#pragma once

#include "SimMessageHeader.h"

#include <QByteArray>
#include <QList>

class SimTerminal;

// The terminal's log stream: while log output is on, records (message number,
// then data characters) at a steady rate; after a restart the boot records
// first, then the records of a terminal going about its work.
class SimLogOutput
{
public:
    SimLogOutput();

    // Records per second; 0 stops the stream.
    double rate() const { return m_rate; }
    void setRate(double perSecond) { m_rate = qMax(0.0, perSecond); }

    // The payloads due after ms more milliseconds of log output.
    QList<QByteArray> tick(int ms, const SimTerminal &terminal);
    // The restart marker, due after bootMs, and the boot records queued behind it.
    QByteArray restartRecord(int bootMs);
    const SimMessageHeader &header() const { return m_header; }

    // A record's payload: the 16-bit message number, then the data bytes.
    QByteArray record(const char *name, const QByteArray &data = {}) const;

private:
    QByteArray nextRecord(const SimTerminal &terminal);

    SimMessageHeader m_header;
    double m_rate = 2.0;
    double m_owedMs = 0;
    int m_step = 0;
    int m_packets = 0;
    QList<QByteArray> m_boot;
};
