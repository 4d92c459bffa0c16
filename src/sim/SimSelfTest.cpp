#include "SimSelfTest.h"

#include "SimTerminal.h"

namespace {
QByteArray payload(quint8 kind, quint8 status, const QByteArray &data = {})
{
    QByteArray p;
    p.append(static_cast<char>(kind));
    p.append(static_cast<char>(status));
    p.append(data);
    return p;
}

// How long each test takes on the terminal, in milliseconds.
constexpr int GpsMs = 1500;
constexpr int GsmMs = 600;
constexpr int MemoryMs = 800;
constexpr int EndMs = 300;

// FLASH result flags: control structure written, memory works / memory error.
constexpr quint8 FlashGood = 0x02 | 0x04;
constexpr quint8 FlashBad = 0x08;
// SRAM result flags: bank 1 and bank 2 good / bad.
constexpr quint8 SramGood = 0x01 | 0x04;
constexpr quint8 SramBad = 0x02 | 0x08;
} // namespace

QList<SimSelfTest::Report> SimSelfTest::run(quint8 mask, const SimTerminal &terminal) const
{
    QList<Report> reports;
    int at = 0;
    auto fails = [this](Kind k) { return (failing & k) != 0; };
    if (mask & Gps) {
        at += GpsMs;
        const QByteArray block = terminal.navReceiver().testBlock(terminal.utc().addMSecs(at));
        reports.append({at, payload(Gps, fails(Gps) ? Error : Data, fails(Gps) ? QByteArray(block.size(), 0) : block)});
    }
    if (mask & Ccid) {
        at += GsmMs;
        const QByteArray ccid = fails(Ccid) ? QByteArray() : terminal.parameters().value(12);
        reports.append({at, payload(Ccid, CcidRead, QByteArray(1, fails(Ccid) ? 1 : 0) + ccid)});
    }
    if (mask & Imei) {
        at += GsmMs;
        const QByteArray imei = fails(Imei) ? QByteArray() : terminal.parameters().value(41);
        reports.append({at, payload(Imei, ImeiRead, QByteArray(1, fails(Imei) ? 1 : 0) + imei)});
    }
    if (mask & Flash) {
        at += MemoryMs;
        reports.append({at, payload(Flash, fails(Flash) ? Error : Ok, QByteArray(1, char(fails(Flash) ? FlashBad : FlashGood)))});
    }
    if (mask & (Flash | Sram)) {
        at += MemoryMs / 2;
        reports.append({at, payload(Sram, fails(Sram) ? Error : Ok, QByteArray(1, char(fails(Sram) ? SramBad : SramGood)))});
    }
    at += EndMs;
    reports.append({at, payload(Run, Finished)});
    return reports;
}
