#pragma once

#include "TComMSG.h"

#include <QRecursiveMutex>
#include <QString>

#include <array>
#include <functional>

class Port;
class Pump;

// The link state and the operations on it: the frame writer, the receiver
// and the request/reply transaction. The program creates one and keeps it for
// its lifetime; tests make their own.
class Link
{
public:
    static constexpr int RingSize = 10;
    static constexpr int MaxFrames = 11;     // one attempt and up to ten repeats
    static constexpr int PollsPerFrame = 31;
    static constexpr int PollMs = 30;
    static constexpr int FramePauseMs = 50;

    explicit Link(Pump &pump);

    void setPort(Port *port) { m_port = port; }
    Port *port() const { return m_port; }
    Pump &pump() const { return m_pump; }

    // Writes one frame: preamble, body, XOR of the body. Nothing is written
    // while PortConnected is false.
    void SendFrame(const TBuf &body);
    // The port's received-bytes handler: feeds every byte to ReceiveByte.
    void ComRxChar(const QByteArray &bytes);
    void ReceiveByte(quint8 b);
    // Sends the request and waits for the reply with the same code; an empty
    // result means no answer (silence, negative replies only, link down).
    TBuf Transact(const TBuf &request);

    // The status bar's transfer error text from the present counts.
    QString TransferErrorsText() const;

    // The frame preamble of the current mode.
    TBuf preamble() const;

    // --- link state ---
    std::array<TComMSG, RingSize> ReplyRing{};
    qint32 RingWriteIndex = 0;
    qint32 RingReadIndex = 0;
    qint32 PendingReplies = 0;
    bool ReplyEvent = false; // auto-reset: taking it clears it
    QRecursiveMutex LinkLock;
    TBuf LastFrameData;
    qint32 CrcErrorCount = 0;
    qint32 NakCount = 0;
    bool PortConnected = false;
    bool BootloaderMode = false;
    quint8 WorkMode = 1;
    quint8 RxState = 0;

    // The transaction the parameter objects use; empty until the program
    // points it at Transact.
    std::function<TBuf(const TBuf &)> TransactProc;

    // --- who hears about what ---
    std::function<void()> HandleLogFrame;  // a log frame is in LastFrameData
    std::function<void()> HandleTestFrame; // a self-test frame is in LastFrameData
    // A negative reply outside the bootloader: the status bar text to show.
    std::function<void(const QString &)> ShowTransferErrors;
    // A negative reply in bootloader mode (the firmware window's error count).
    std::function<void()> CountBootError;

private:
    bool takeReplyEvent();
    void storeReply();

    Pump &m_pump;
    Port *m_port = nullptr;
};
