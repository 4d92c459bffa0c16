#pragma once

#include "SimBootloader.h"
#include "SimFaults.h"
#include "SimFrameParser.h"
#include "SimFuelTable.h"
#include "SimLogOutput.h"
#include "SimModem.h"
#include "SimNavReceiver.h"
#include "SimParameters.h"
#include "SimSelfTest.h"
#include "SimStats.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QRandomGenerator>

// The simulated terminal: pure logic with its own clock, no timers. A host
// (the in-process port, the pty server, a test's scripted port) hands it the
// program's bytes with feed() and moves its clock with tick(); both return
// the bytes the terminal puts on the line.
class SimTerminal
{
public:
    explicit SimTerminal(quint32 seed = 1);
    ~SimTerminal();

    // The program's bytes; returns the terminal's immediate answer: reply
    // frames, or in the pass-through modes the modem's or receiver's text.
    QByteArray feed(const QByteArray &bytesFromProgram);
    // Moves the clock on by ms; returns what falls due meanwhile (log frames,
    // self-test reports, NMEA sentences, the restart line).
    QByteArray tick(int ms);
    qint64 now() const { return m_now; }

    // --- fault injection ---
    SimFaults &faults() { return m_faults; }
    const SimStats &stats() const { return m_stats; }
    void setSeed(quint32 seed) { m_rng.seed(seed); }

    // --- the model, for hosts and tests ---
    SimParameters &parameters() { return m_parameters; }
    const SimParameters &parameters() const { return m_parameters; }
    SimFuelTable &fuelTable() { return m_fuel; }
    const SimFuelTable &fuelTable() const { return m_fuel; }
    const SimBootloader &bootloader() const { return m_boot; }
    SimLogOutput &logOutput() { return m_log; }
    SimNavReceiver &navReceiver() { return m_nav; }
    const SimNavReceiver &navReceiver() const { return m_nav; }
    SimSelfTest &selfTest() { return m_selfTest; }
    const SimModem &modem() const { return m_modem; }
    quint8 workMode() const { return m_workMode; }
    bool logEnabled() const { return m_logEnabled; }
    quint8 relays() const { return m_relays; }
    int restarts() const { return m_restarts; }
    bool passThrough() const { return m_workMode == 2 || m_workMode == 3; }

    // The terminal's clock as UTC: the epoch plus now().
    QDateTime utc() const { return m_epoch.addMSecs(m_now); }
    void setEpoch(const QDateTime &utc) { m_epoch = utc; }

    // Live inputs of the simulated vehicle.
    int supplyMillivolts() const { return m_supplyMv; }
    void setSupplyMillivolts(int mv) { m_supplyMv = mv; }
    quint8 inputs() const { return m_inputs; }
    void setInputs(quint8 state) { m_inputs = state & 0x0F; }
    quint16 fuelAdc() const { return m_fuelAdc; }
    void setFuelAdc(quint16 adc) { m_fuelAdc = adc; }

    // The value bytes a read of parameter n returns (live values included).
    QByteArray readValue(quint8 number) const;
    // The supply ADC reading in millivolts: (supply - 385 mV) / factor.
    quint16 adcMillivolts() const;
    // A frame as the terminal sends it in its present framing.
    QByteArray frame(quint8 code, const QByteArray &payload) const;
    QByteArray preamble() const;

    // Power cycle: normal framing, main mode, the "CLEAR" record after boot.
    void restart();

private:
    void advance(int ms);
    void take(const QByteArray &body);
    void answer(quint8 code, const QByteArray &payload);
    void nak(quint8 code);
    bool draw(double rate);
    QByteArray noise();
    void schedule(int delayMs, const QByteArray &bytes);
    void handleSetMode(const QByteArray &body);
    void handleBoot(quint8 code, const QByteArray &body);
    void handleWriteFuelPoint(const QByteArray &body);
    void handleStartTests(const QByteArray &body);
    // Bytes for the modem or the receiver in the pass-through modes.
    void passOn(const QByteArray &bytes);

    SimFaults m_faults;
    SimStats m_stats;
    QRandomGenerator m_rng;
    SimFrameParser m_parser;
    SimParameters m_parameters;
    SimFuelTable m_fuel;
    SimBootloader m_boot;
    SimLogOutput m_log;
    SimNavReceiver m_nav;
    SimModem m_modem;
    SimSelfTest m_selfTest;
    QDateTime m_epoch = QDateTime::currentDateTimeUtc();

    qint64 m_now = 0;
    qint64 m_lastByteAt = 0;
    quint8 m_workMode = 1;
    bool m_logEnabled = false;
    quint8 m_relays = 0;
    int m_restarts = 0;
    int m_supplyMv = 12600;
    quint8 m_inputs = 0x02;
    quint16 m_fuelAdc = 1850;

    QByteArray m_out;          // what feed() returns
    QByteArray m_lastReply;    // code + payload of the last reply, for stale replies

    struct Due
    {
        qint64 at;
        QByteArray bytes;
    };
    QList<Due> m_due; // in order of time
};
