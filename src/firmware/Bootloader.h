#pragma once

#include "link/TBuf.h"

#include <QString>

#include <functional>

class HexImage;
class Link;
class Pump;

// The terminal's bootloader as the program drives it: switching the link to
// the bootloader framing, entering the bootloader, sending an Intel HEX image
// block by block with retries, and leaving. The firmware window (and the
// command-line tool) drive it and show what it reports; it never shows
// anything itself.
class Bootloader
{
public:
    // After asking the terminal to pass to its bootloader, before switching
    // the framing: the terminal needs the time to restart into it.
    static constexpr int SwitchWaitMs = 500;
    // After the bootloader has confirmed entry, before the first block.
    static constexpr int EnterWaitMs = 2000;
    // Transactions per block (each of them sends the frame up to eleven times).
    static constexpr int BlockAttempts = 11;

    enum class RunResult {
        Refused,     // the image was not read or not accepted; nothing sent
        EnterFailed, // the bootloader did not confirm entry; nothing more sent
        Finished,    // every line done
        Stopped,     // "Выход" during the run
        LineStopped, // a line of fewer than two characters ended the transfer
        BlockFailed, // a block was refused on every attempt
        PortLost,    // the port went away during the run
    };

    struct Progress
    {
        int linesDone = 0;
        int linesTotal = 0;
        qint64 bytesSent = 0; // image data bytes the bootloader accepted
        qint64 bytesTotal = 0;
        qint64 msLeft = -1; // estimated; -1 until the first block is through
    };

    explicit Bootloader(Link &link);
    ~Bootloader();
    Bootloader(const Bootloader &) = delete;
    Bootloader &operator=(const Bootloader &) = delete;

    // Opening the firmware window: 7E in the normal framing, the switch wait,
    // bootloader framing on, then entry (its result is not examined).
    void Open();
    // The window has closed: back to the normal framing.
    void Close();

    // One run over the image file at path: checks it, enters the bootloader,
    // sends every line, then ends the image and leaves the bootloader.
    RunResult Run(const QString &path);

    // "Выход": stops a run after its current line. While at most one line has
    // been done the bootloader is also told to leave at once; then the result
    // is true and the window should close.
    bool Exit();

    bool EnterBootloader();
    // Converts and sends one line; false when the run must stop.
    bool SendHexLine(const QByteArray &line);

    int linesDone() const { return m_progress.linesDone; }

    qint32 ErrCnt = 0;
    bool StopRequested = false;

    // --- what the driver hears ---
    std::function<void(const Progress &)> onProgress;
    std::function<void(qint32 errCnt)> onErrCnt;
    std::function<void(const QString &text)> showError;
    // A question about the image; true to go on.
    std::function<bool(const QString &text)> ask;
    // Milliseconds from any fixed point (tests pass their virtual clock).
    std::function<qint64()> clock;

private:
    bool prepare(const QString &path, HexImage &image);
    bool linkUsable() const;
    void leave();
    void reportProgress();
    void error(const QString &text);

    Link &m_link;
    Pump &m_pump;
    Progress m_progress;
    int m_blocksTotal = 0;
    int m_blocksDone = 0;
    qint64 m_startedAt = 0;
    bool m_left = false;             // F2 already sent by "Выход"
    RunResult m_lineResult = RunResult::Finished;
};
