#pragma once

#include "TBuf.h"

#include <QList>
#include <QString>

// The command catalogue: every code that passes between the program and the
// terminal, with a builder for each request body. No other file writes a
// command byte by hand.
namespace Commands {

enum Code : quint8 {
    cmdLog = 0x00,            // unasked: message number (16 bits), text
    cmdReadFuelPoint = 0x14,  // 14 01 k
    cmdReadFuelLevel = 0x21,  // 21 01 (length byte without data)
    cmdReadRelays = 0x23,     // 23 00
    cmdLogOutput = 0x7A,      // 7A 01 x
    cmdStartTests = 0x7B,     // 7B 01 mask
    cmdTestReport = 0x7C,     // unasked: kind, status, data
    cmdReadFirmware = 0x7D,   // parameter 125, FirmwareVersion
    cmdBootloader = 0x7E,     // 7E 01 01
    cmdSetMode = 0x7F,        // 7F 01 m
    cmdWriteFuelPoint = 0x93, // 93 06 fuel adc flag index
    cmdSetRelays = 0xA2,      // A2 01 x
    cmdBootBlock = 0xF0,      // F0 N bytes (bootloader framing)
    cmdBootImageDone = 0xF1,
    cmdBootLeave = 0xF2,      // sent with SendFrame only
    cmdBootEnter = 0xF3,
    cmdNak = 0xFF,            // negative reply, never sent by the program
};

// Writing uses the reading code plus this (parameter n is written with n + 127).
constexpr quint8 WriteOffset = 127;

// The kinds of parameter values on the wire.
enum class ParamKind { String, IPAddr, Word, DWord, Single, Timer, Prop, DigitalSensor };

struct ParamCode
{
    quint8 number;    // read code
    quint8 writeCode; // 0: never written
    const char *name; // object name
    ParamKind kind;
};

// Every parameter number the program reads, in catalogue order.
const QList<ParamCode> &paramCodes();
// The entry for read code n, or nullptr when n is not a parameter.
const ParamCode *paramCode(quint8 number);

// The name of a code as the log shows it ("cmdSetMode", "param 8", ...).
QString name(quint8 code);

TBuf readParam(quint8 number);
TBuf writeParam(quint8 writeCode, const TBuf &value);
TBuf readFuelPoint(bool first);
TBuf readFuelLevel();
TBuf readRelays();
TBuf logOutput(bool on);
TBuf startTests(quint8 mask);
TBuf bootloader();
TBuf setMode(quint8 mode);
TBuf writeFuelPoint(quint16 fuelHundredths, quint16 adc, quint8 flag, quint8 index);
TBuf clearFuelTable();
TBuf setRelays(quint8 state);
TBuf bootBlock(const TBuf &bytes);
TBuf bootImageDone();
TBuf bootLeave();
TBuf bootEnter();

} // namespace Commands
