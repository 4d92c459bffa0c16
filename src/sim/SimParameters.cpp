#include "SimParameters.h"

#include <QtEndian>

#include <cstring>

namespace {

QByteArray word(quint16 v)
{
    QByteArray b(2, 0);
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray dword(quint32 v)
{
    QByteArray b(4, 0);
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray single(float v)
{
    quint32 bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    return dword(bits);
}

QByteArray text(const char *latin)
{
    return QByteArray(latin);
}

// One-byte values: event flags keep bit 7 set while in use, bit 0 SMS,
// bit 1 GPRS, bit 3 SMS to the owner; the input configuration one bit per input.
QByteArray byte(quint8 v)
{
    return QByteArray(1, static_cast<char>(v));
}

constexpr quint32 Minute = 60;
constexpr quint32 Hour = 60 * Minute;

} // namespace

SimParameters::SimParameters()
{
    m_values = {
        {1, text("TAV-GL 2.1 rev.B")},
        {2, text("+79161234567")},
        {3, text("1234")},
        {4, text("+79037654321")},
        {5, text("0000")},
        {6, text("+79161234500")},
        {7, QByteArray("\x55\x8F\x14\x11", 4)}, // 85.143.20.17
        {8, word(20332)},
        {9, text("internet.mts.ru")},
        {10, text("mts")},
        {11, text("mts")},
        {12, swapPairs("89701012417293358106")},
        {13, dword(1 * Hour)},
        {14, byte(0x82)},
        {15, dword(5000)},
        {16, byte(0x00)},
        {17, single(55.7522f)},
        {18, single(37.6156f)},
        {19, word(500)},
        {21, word(10500)},
        {22, byte(0x89)},
        {23, word(30000)},
        {24, byte(0x81)},
        {25, word(110)},
        {26, byte(0x83)},
        {27, dword(15 * Minute)},
        {28, byte(0x82)},
        {29, byte(0x82)},
        {30, byte(0x8A)},
        {32, byte(0x8B)},
        {37, single(12.0f)},
        {38, text("A12123456")},
        {39, byte(0x82)},
        {40, byte(0x82)},
        {41, text("861230045678903")},
        {43, byte(0x05)},
        {44, byte(0x82)},
        {125, text("TAV-FW 3.4.17 (12.03.2026)")},
    };
}

int SimParameters::valueLength(Commands::ParamKind kind)
{
    using K = Commands::ParamKind;
    switch (kind) {
    case K::String: return -1;
    case K::IPAddr:
    case K::DWord:
    case K::Single:
    case K::Timer: return 4;
    case K::Word: return 2;
    case K::Prop:
    case K::DigitalSensor: return 1;
    }
    return -1;
}

QByteArray SimParameters::swapPairs(const QByteArray &ccid)
{
    QByteArray out = ccid;
    for (qsizetype i = 0; i + 1 < out.size(); i += 2)
        std::swap(out[i], out[i + 1]);
    return out;
}

SimParameters::WriteResult SimParameters::write(quint8 writeCode, const QByteArray &bytes)
{
    if (writeCode <= Commands::WriteOffset)
        return WriteResult::Unknown;
    const Commands::ParamCode *p = Commands::paramCode(static_cast<quint8>(writeCode - Commands::WriteOffset));
    if (!p)
        return WriteResult::Unknown;
    if (p->writeCode != writeCode)
        return WriteResult::ReadOnly;
    const int length = valueLength(p->kind);
    if (length >= 0 && bytes.size() != length)
        return WriteResult::BadLength;
    m_values.insert(p->number, bytes);
    return WriteResult::Ok;
}

float SimParameters::adcFactor() const
{
    const QByteArray b = m_values.value(37);
    if (b.size() < 4)
        return 0;
    const quint32 bits = qFromLittleEndian<quint32>(b.constData());
    float f = 0;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}
