#include "SimTerminal.h"

#include "SimLog.h"
#include "link/Commands.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>

Q_LOGGING_CATEGORY(lcSim, "taviron.sim", QtWarningMsg)

using namespace Commands;

namespace {
const QByteArray NormalPreamble = QByteArrayLiteral("\x0D\x0A\x2A\x3E");
const QByteArray BootPreamble = QByteArrayLiteral("\xAA\x77\xAA\x77");

// A half-received frame is forgotten after this long without a byte, as the
// firmware's receive timeout does.
constexpr int FrameTimeoutMs = 500;
// In the pass-through modes bytes that might begin the mode command are held
// back only this long before they go on to the modem or receiver.
constexpr int PassThroughHoldMs = 20;
// From the restart to the first log record.
constexpr int BootMs = 300;
// The resolution of the terminal's clock.
constexpr int TickStepMs = 10;
// The part of the supply voltage the input divider and diode take away.
constexpr int AdcOffsetMv = 385;

QByteArray oneByte(quint8 v)
{
    return QByteArray(1, static_cast<char>(v));
}
} // namespace

SimTerminal::SimTerminal(quint32 seed)
    : m_rng(seed)
{
}

SimTerminal::~SimTerminal() = default;

QByteArray SimTerminal::preamble() const
{
    return m_boot.active() ? BootPreamble : NormalPreamble;
}

QByteArray SimTerminal::frame(quint8 code, const QByteArray &payload) const
{
    Q_ASSERT(payload.size() <= 255);
    QByteArray f = preamble();
    f.append(static_cast<char>(code));
    f.append(static_cast<char>(payload.size()));
    f.append(payload);
    quint8 crc = code ^ static_cast<quint8>(payload.size());
    for (char c : payload)
        crc ^= static_cast<quint8>(c);
    f.append(static_cast<char>(crc));
    return f;
}

QByteArray SimTerminal::feed(const QByteArray &bytesFromProgram)
{
    m_out.clear();
    if (passThrough() && !m_parser.idle() && m_now - m_lastByteAt >= PassThroughHoldMs)
        passOn(m_parser.takeHeld());
    else if (!m_parser.idle() && m_now - m_lastByteAt > FrameTimeoutMs)
        m_parser.reset();
    m_lastByteAt = m_now;
    for (char c : bytesFromProgram) {
        // The preamble is looked up per byte: a frame may change the framing.
        const SimFrameParser::Result r = m_parser.push(static_cast<quint8>(c), preamble());
        if (passThrough()) {
            // Only the mode command is a frame here; everything else is text.
            passOn(r.stray);
            if (r.frame && !(r.checksumOk && static_cast<quint8>(r.body.at(0)) == cmdSetMode))
                passOn(r.raw);
            else if (r.frame)
                take(r.body);
            continue;
        }
        if (!r.frame)
            continue;
        if (!r.checksumOk) {
            ++m_stats.badFrames;
            qCDebug(lcSim).noquote() << "bad checksum, ignored:" << r.raw.toHex(' ');
            continue;
        }
        ++m_stats.framesTaken;
        qCDebug(lcSim).noquote() << "rx" << r.body.toHex(' ');
        take(r.body);
    }
    return std::exchange(m_out, {});
}

QByteArray SimTerminal::tick(int ms)
{
    // In short steps, so that what falls due within one long tick still goes
    // out in the order of its times.
    m_out.clear();
    for (int left = qMax(0, ms); left > 0;) {
        const int step = qMin(left, TickStepMs);
        advance(step);
        left -= step;
    }
    return std::exchange(m_out, {});
}

void SimTerminal::advance(int ms)
{
    m_now += ms;
    while (!m_due.isEmpty() && m_due.first().at <= m_now)
        m_out.append(m_due.takeFirst().bytes);
    if (passThrough() && !m_parser.idle() && m_now - m_lastByteAt >= PassThroughHoldMs)
        passOn(m_parser.takeHeld());
    if (m_logEnabled && !passThrough() && !m_boot.active())
        for (const QByteArray &payload : m_log.tick(ms, *this))
            m_out.append(frame(cmdLog, payload));
    if (m_workMode == 3)
        m_out.append(m_nav.tick(ms, utc()));
}

void SimTerminal::passOn(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    if (m_workMode == 2) {
        const QByteArray ccid = SimParameters::swapPairs(m_parameters.value(12));
        m_out.append(m_modem.input(bytes, {ccid, m_parameters.value(41)}));
    }
    // The receiver takes no input worth answering.
}

void SimTerminal::schedule(int delayMs, const QByteArray &bytes)
{
    const qint64 at = m_now + delayMs;
    auto pos = std::upper_bound(m_due.begin(), m_due.end(), at, [](qint64 t, const Due &d) { return t < d.at; });
    m_due.insert(pos, Due{at, bytes});
}

bool SimTerminal::draw(double rate)
{
    return rate > 0 && m_rng.generateDouble() < rate;
}

QByteArray SimTerminal::noise()
{
    // Never the first byte of a preamble: noise between frames must not
    // swallow the frame that follows it.
    QByteArray n;
    const int count = 1 + static_cast<int>(m_rng.bounded(8u));
    while (n.size() < count) {
        const auto b = static_cast<quint8>(m_rng.bounded(256u));
        if (b != static_cast<quint8>(NormalPreamble[0]) && b != static_cast<quint8>(BootPreamble[0]))
            n.append(static_cast<char>(b));
    }
    return n;
}

void SimTerminal::answer(quint8 code, const QByteArray &payload)
{
    if (draw(m_faults.staleRate)) {
        QByteArray stale = m_lastReply;
        if (stale.isEmpty() || static_cast<quint8>(stale.at(0)) == code)
            stale = QByteArray(1, static_cast<char>(code == cmdSetMode ? cmdReadRelays : cmdSetMode)) + oneByte(m_workMode);
        m_out.append(frame(static_cast<quint8>(stale.at(0)), stale.mid(1)));
        ++m_stats.stale;
    }
    if (draw(m_faults.noiseRate)) {
        m_out.append(noise());
        ++m_stats.noiseBursts;
    }
    // One draw decides, so each rate is the share of replies that suffer it.
    const double u = m_rng.generateDouble();
    const double nak = m_faults.nakRate;
    const double crc = nak + m_faults.crcErrorRate;
    const double drop = crc + m_faults.dropRate;
    if (u < nak) {
        m_out.append(frame(cmdNak, oneByte(code)));
        ++m_stats.naks;
    } else if (u < crc) {
        QByteArray f = frame(code, payload);
        f[f.size() - 1] = static_cast<char>(static_cast<quint8>(f.back()) ^ 0x5A);
        m_out.append(f);
        ++m_stats.brokenChecksums;
    } else if (u < drop) {
        ++m_stats.dropped;
    } else {
        m_out.append(frame(code, payload));
        ++m_stats.replies;
    }
    // A stale reply is one of another request, never a negative reply.
    if (code != cmdNak)
        m_lastReply = oneByte(code) + payload;
}

void SimTerminal::nak(quint8 code)
{
    answer(cmdNak, oneByte(code));
}

quint16 SimTerminal::adcMillivolts() const
{
    const float factor = m_parameters.adcFactor();
    if (!(factor > 0.01f))
        return 0;
    const double mv = (m_supplyMv - AdcOffsetMv) / double(factor);
    return static_cast<quint16>(std::clamp(std::lround(mv), 0L, 65535L));
}

QByteArray SimTerminal::readValue(quint8 number) const
{
    if (number == 36) {
        QByteArray b(2, 0);
        qToLittleEndian(adcMillivolts(), b.data());
        return b;
    }
    if (number == 45)
        return oneByte(m_inputs);
    return m_parameters.value(number);
}

void SimTerminal::restart()
{
    m_boot.leave();
    m_parser.reset();
    m_modem.reset();
    m_workMode = 1;
    ++m_restarts;
    // The restart marker is part of the boot banner and goes out whether log
    // output is on or not: the program relies on it after a firmware update.
    schedule(BootMs, frame(cmdLog, m_log.restartRecord(BootMs)));
}

void SimTerminal::take(const QByteArray &body)
{
    const auto code = static_cast<quint8>(body.at(0));
    // A silenced command is ignored altogether, as by a firmware without it.
    if (m_faults.silentCodes.contains(code)) {
        ++m_stats.silenced;
        return;
    }
    if (m_boot.active()) {
        handleBoot(code, body);
        return;
    }
    const QByteArray data = body.mid(2);
    switch (code) {
    case cmdSetMode:
        handleSetMode(body);
        return;
    case cmdLogOutput:
        if (data.size() != 1)
            return nak(code);
        m_logEnabled = data.at(0) != 0;
        return answer(code, data);
    case cmdReadRelays:
        return answer(code, oneByte(m_relays));
    case cmdSetRelays:
        if (data.size() != 1)
            return nak(code);
        m_relays = static_cast<quint8>(data.at(0)) & 0x03;
        return answer(code, oneByte(m_relays));
    case cmdReadFuelPoint:
        if (data.size() != 1)
            return nak(code);
        return answer(code, m_fuel.readPoint(static_cast<quint8>(data.at(0))));
    case cmdReadFuelLevel: {
        QByteArray b(4, 0);
        qToLittleEndian(m_fuel.litresFor(m_fuelAdc), b.data());
        qToLittleEndian(m_fuelAdc, b.data() + 2);
        return answer(code, b);
    }
    case cmdWriteFuelPoint:
        return handleWriteFuelPoint(body);
    case cmdStartTests:
        return handleStartTests(body);
    case cmdBootloader:
        // The reply still goes out in the normal framing; the switch follows it.
        answer(code, oneByte(0));
        m_boot.enter();
        return;
    default:
        break;
    }
    if (paramCode(code))
        return answer(code, readValue(code));
    if (code > WriteOffset && body.size() >= 2) {
        switch (m_parameters.write(code, data)) {
        case SimParameters::WriteResult::Ok: return answer(code, oneByte(0));
        case SimParameters::WriteResult::Unknown:
        case SimParameters::WriteResult::ReadOnly:
        case SimParameters::WriteResult::BadLength: return nak(code);
        }
    }
    nak(code);
}

void SimTerminal::handleSetMode(const QByteArray &body)
{
    const quint8 mode = body.size() == 3 ? static_cast<quint8>(body.at(2)) : 0;
    if (mode < 1 || mode > 4)
        return nak(cmdSetMode);
    if (mode != m_workMode) {
        m_modem.reset();
        m_nav.restartStream();
    }
    m_workMode = mode;
    answer(cmdSetMode, oneByte(mode));
}

void SimTerminal::handleStartTests(const QByteArray &body)
{
    if (body.size() != 3)
        return nak(cmdStartTests);
    const quint8 mask = static_cast<quint8>(body.at(2)) & SimSelfTest::OwnTests;
    answer(cmdStartTests, oneByte(SimSelfTest::Started));
    for (const SimSelfTest::Report &r : m_selfTest.run(mask, *this))
        schedule(r.atMs, frame(cmdTestReport, r.payload));
}

void SimTerminal::handleWriteFuelPoint(const QByteArray &body)
{
    if (body.size() != 8)
        return nak(cmdWriteFuelPoint);
    const quint16 litres = qFromLittleEndian<quint16>(body.constData() + 2);
    const quint16 adc = qFromLittleEndian<quint16>(body.constData() + 4);
    answer(cmdWriteFuelPoint,
           oneByte(m_fuel.writePoint(litres, adc, static_cast<quint8>(body.at(6)), static_cast<quint8>(body.at(7)))));
}

void SimTerminal::handleBoot(quint8 code, const QByteArray &body)
{
    switch (code) {
    case cmdBootEnter:
        return answer(code, m_boot.bootEnter());
    case cmdBootBlock:
        return answer(code, m_boot.block(body.mid(2)));
    case cmdBootImageDone:
        return answer(code, m_boot.imageComplete());
    case cmdBootLeave:
        restart();
        return;
    default:
        nak(code);
    }
}
