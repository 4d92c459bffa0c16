#include "Link.h"

#include "Commands.h"
#include "LinkLog.h"
#include "Port.h"
#include "Pump.h"

#include <QMutexLocker>

Q_LOGGING_CATEGORY(lcLink, "taviron.link", QtWarningMsg)

namespace {
constexpr quint8 NormalPreamble[4] = {0x0D, 0x0A, 0x2A, 0x3E};
constexpr quint8 BootPreamble[4] = {0xAA, 0x77, 0xAA, 0x77};
} // namespace

Link::Link(Pump &pump)
    : m_pump(pump)
{
}

TBuf Link::preamble() const
{
    const quint8 *p = BootloaderMode ? BootPreamble : NormalPreamble;
    return TBuf(reinterpret_cast<const char *>(p), 4);
}

QString Link::TransferErrorsText() const
{
    return QStringLiteral("Ошибок передачи:%1 CRC:%2").arg(NakCount).arg(CrcErrorCount);
}

void Link::SendFrame(const TBuf &body)
{
    if (!PortConnected)
        return;
    m_pump.pause(FramePauseMs);
    TBuf frame = preamble();
    frame.reserve(frame.size() + body.size() + 1);
    frame.append(body);
    quint8 crc = 0;
    for (char c : body)
        crc ^= static_cast<quint8>(c);
    frame.append(static_cast<char>(crc));
    ReplyEvent = false;
    qCDebug(lcLink).noquote() << "tx" << frame.toHex(' ');
    if (m_port && m_port->isOpen())
        m_port->transmit(frame);
}

void Link::ComRxChar(const QByteArray &bytes)
{
    if (!m_port || !m_port->isOpen())
        return;
    for (char c : bytes)
        ReceiveByte(static_cast<quint8>(c));
}

void Link::ReceiveByte(quint8 b)
{
    QMutexLocker lock(&LinkLock);
    TComMSG &slot = ReplyRing[static_cast<size_t>(RingWriteIndex)];
    const quint8 *pre = BootloaderMode ? BootPreamble : NormalPreamble;
    switch (RxState) {
    case 0:
        slot = TComMSG{};
        RxState = (b == pre[0]) ? 1 : 0;
        break;
    case 1:
    case 2:
    case 3:
        RxState = (b == pre[RxState]) ? RxState + 1 : 0;
        break;
    case 4:
        slot.Cmd = b;
        slot.Crc = b;
        RxState = 5;
        break;
    case 5:
        slot.Len = b;
        slot.Crc ^= b;
        if (slot.Len > 0)
            slot.Data.resize(slot.Len);
        RxState = slot.Len > 0 ? 6 : 7;
        break;
    case 6:
        slot.Data[slot.Count] = static_cast<char>(b);
        slot.Crc ^= b;
        ++slot.Count;
        RxState = slot.Count >= slot.Len ? 7 : 6;
        break;
    default:
        RxState = 0;
        if (b != slot.Crc) {
            ++CrcErrorCount;
            qCDebug(lcLink) << "rx checksum error, code" << slot.Cmd;
            break;
        }
        qCDebug(lcLink).noquote() << "rx" << Commands::name(slot.Cmd) << slot.Data.toHex(' ');
        if (slot.Cmd == Commands::cmdLog) {
            LastFrameData = slot.Data;
            if (HandleLogFrame)
                HandleLogFrame();
        } else if (slot.Cmd == Commands::cmdTestReport) {
            LastFrameData = slot.Data;
            if (HandleTestFrame)
                HandleTestFrame();
        } else {
            storeReply();
        }
        break;
    }
}

void Link::storeReply()
{
    ++PendingReplies;
    RingWriteIndex = (RingWriteIndex + 1) % RingSize;
    ReplyEvent = true;
    m_pump.notify();
}

bool Link::takeReplyEvent()
{
    const bool signalled = ReplyEvent;
    ReplyEvent = false;
    return signalled;
}

TBuf Link::Transact(const TBuf &request)
{
    Q_ASSERT(!request.isEmpty());
    if (!PortConnected || request.isEmpty())
        return {};
    const quint8 code = static_cast<quint8>(request[0]);
    TBuf candidate;
    bool success = false;
    for (int attempt = 0; attempt < MaxFrames && !success; ++attempt) {
        // A closing program or a lost port ends the wait at once instead of
        // spending eleven seconds on frames that cannot go anywhere.
        if (!PortConnected || !m_port || !m_port->isOpen())
            break;
        candidate.clear();
        SendFrame(request);
        bool signalled = false;
        for (int poll = 0; poll < PollsPerFrame && !signalled; ++poll) {
            m_pump.waitEvents(PollMs, [this] { return ReplyEvent || !PortConnected; });
            signalled = takeReplyEvent();
        }
        if (!signalled)
            continue;

        QMutexLocker lock(&LinkLock);
        int skipped = 0;
        for (;;) {
            const quint8 cmd = ReplyRing[static_cast<size_t>(RingReadIndex)].Cmd;
            if (cmd == code || cmd == Commands::cmdNak)
                break;
            RingReadIndex = (RingReadIndex + 1) % RingSize;
            if (++skipped > PendingReplies)
                break;
        }
        const TComMSG &taken = ReplyRing[static_cast<size_t>(RingReadIndex)];
        candidate = taken.Data;
        if (taken.Cmd == code) {
            success = true;
        } else if (taken.Cmd == Commands::cmdNak) {
            ++NakCount;
            if (!BootloaderMode) {
                if (ShowTransferErrors)
                    ShowTransferErrors(TransferErrorsText());
            } else if (CountBootError) {
                CountBootError();
            }
        }
        RingReadIndex = (RingReadIndex + 1) % RingSize;
    }
    if (PendingReplies > 0)
        --PendingReplies;
    return success ? candidate : TBuf{};
}
