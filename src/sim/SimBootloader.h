#pragma once

#include <QByteArray>
#include <QList>

// The terminal's bootloader: entered with 7E (the line then uses the
// AA 77 AA 77 framing), made ready with F3, fed image blocks with F0, closed
// with F1 and left with F2, which restarts the terminal.
class SimBootloader
{
public:
    bool active() const { return m_active; }
    bool ready() const { return m_ready; }
    bool imageDone() const { return m_imageDone; }
    // The blocks accepted since the last F3, in order, as the program sent them.
    const QList<QByteArray> &blocks() const { return m_blocks; }
    // The accepted blocks joined: what the terminal would write to its flash.
    QByteArray image() const;

    void enter();
    // Reply bytes (first byte 0: done) for F3, F0 and F1.
    QByteArray bootEnter();
    QByteArray block(const QByteArray &data);
    QByteArray imageComplete();
    // F2: the bootloader hands over to the (new) firmware.
    void leave();

private:
    bool m_active = false;
    bool m_ready = false;
    bool m_imageDone = false;
    QList<QByteArray> m_blocks;
};
