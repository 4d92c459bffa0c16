#include "Bootloader.h"

#include "FirmwareLog.h"
#include "HexImage.h"
#include "HexLineToBlock.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "link/Port.h"
#include "link/Pump.h"

#include <QElapsedTimer>

Q_LOGGING_CATEGORY(lcFirmware, "taviron.firmware", QtWarningMsg)

namespace {
const auto NoEarlyEnd = [] { return false; };

// The bootloader accepts a request with a reply whose first byte is 0.
bool succeeded(const TBuf &reply)
{
    return !reply.isEmpty() && reply[0] == 0;
}

QElapsedTimer startedTimer()
{
    QElapsedTimer timer;
    timer.start();
    return timer;
}
} // namespace

Bootloader::Bootloader(Link &link)
    : m_link(link)
    , m_pump(link.pump())
{
    clock = [timer = startedTimer()] { return timer.elapsed(); };
    // Negative replies during a run belong to the run's error count.
    m_link.CountBootError = [this] { ++ErrCnt; };
}

Bootloader::~Bootloader()
{
    m_link.CountBootError = nullptr;
}

void Bootloader::Open()
{
    qCDebug(lcFirmware) << "asking the terminal for its bootloader";
    m_link.Transact(Commands::bootloader()); // whatever the terminal answers
    m_pump.waitEvents(SwitchWaitMs, NoEarlyEnd);
    m_link.BootloaderMode = true;
    EnterBootloader();
    StopRequested = false;
    m_left = false;
    m_progress = Progress{};
}

void Bootloader::Close()
{
    m_link.BootloaderMode = false;
}

bool Bootloader::linkUsable() const
{
    return m_link.PortConnected && m_link.port() && m_link.port()->isOpen();
}

bool Bootloader::EnterBootloader()
{
    const bool ok = succeeded(m_link.Transact(Commands::bootEnter()));
    qCDebug(lcFirmware) << "bootloader entry" << (ok ? "confirmed" : "failed");
    return ok;
}

void Bootloader::error(const QString &text)
{
    qCWarning(lcFirmware).noquote() << text;
    if (showError)
        showError(text);
}

void Bootloader::reportProgress()
{
    if (m_blocksDone > 0 && m_blocksTotal > m_blocksDone)
        m_progress.msLeft = (clock() - m_startedAt) * (m_blocksTotal - m_blocksDone) / m_blocksDone;
    else
        m_progress.msLeft = m_blocksDone > 0 ? 0 : -1;
    if (onProgress)
        onProgress(m_progress);
}

bool Bootloader::prepare(const QString &path, HexImage &image)
{
    QString why;
    if (!image.load(path, &why)) {
        error(why);
        return false;
    }
    const HexImage::Check check = image.check();
    if (!check.refusal.isEmpty()) {
        error(check.refusal);
        return false;
    }
    for (const QString &question : check.questions) {
        if (!ask || !ask(question)) {
            qCInfo(lcFirmware).noquote() << "image declined:" << question;
            return false;
        }
    }
    m_progress = Progress{};
    m_progress.linesTotal = static_cast<int>(image.lines().size());
    m_progress.bytesTotal = check.dataBytes;
    m_blocksTotal = check.blocks;
    m_blocksDone = 0;
    return true;
}

Bootloader::RunResult Bootloader::Run(const QString &path)
{
    m_link.NakCount = 0;
    m_link.CrcErrorCount = 0;
    if (m_link.ShowTransferErrors)
        m_link.ShowTransferErrors(m_link.TransferErrorsText());
    ErrCnt = 0;
    if (onErrCnt)
        onErrCnt(ErrCnt);

    // The whole image is read and checked before the terminal hears of it.
    HexImage image;
    if (!prepare(path, image))
        return RunResult::Refused;

    if (!EnterBootloader()) {
        error(QStringLiteral("Ошибка перехода в режим bootloaderа!"));
        return RunResult::EnterFailed;
    }
    m_pump.waitEvents(EnterWaitMs, [this] { return StopRequested; });
    m_startedAt = clock();
    reportProgress();

    RunResult result = RunResult::Finished;
    const QList<QByteArray> &lines = image.lines();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        // "Выход" while entering or waiting: no block goes out after it.
        if (StopRequested) {
            result = RunResult::Stopped;
            break;
        }
        if (!SendHexLine(lines[i])) {
            result = m_lineResult;
            break;
        }
        m_pump.waitEvents(0, NoEarlyEnd); // "Выход" is handled here at the latest
        if (StopRequested) {
            result = RunResult::Stopped;
            break;
        }
        m_progress.linesDone = static_cast<int>(i + 1);
        reportProgress();
    }
    qCDebug(lcFirmware) << "run ends after" << m_progress.linesDone << "of" << lines.size() << "lines";
    m_link.Transact(Commands::bootImageDone()); // whatever the bootloader answers
    m_link.SendFrame(Commands::bootLeave());
    return result;
}

bool Bootloader::SendHexLine(const QByteArray &line)
{
    const HexLineResult converted = HexLineToBlock(line);
    if (converted.outcome == HexOutcome::Stop) {
        m_lineResult = RunResult::LineStopped;
        return false;
    }
    if (converted.outcome == HexOutcome::Skip)
        return true;

    bool accepted = false;
    bool lost = false;
    for (int attempt = 1; attempt <= BlockAttempts && !accepted; ++attempt) {
        // A lost port or a bootloader told to leave cannot take the block.
        if (!linkUsable()) {
            lost = true;
            break;
        }
        if (m_left)
            break;
        accepted = succeeded(m_link.Transact(converted.block));
        if (attempt > 1)
            ++ErrCnt;
    }
    if (onErrCnt)
        onErrCnt(ErrCnt);
    if (accepted) {
        ++m_blocksDone;
        m_progress.bytesSent += converted.block.size() - 2;
        return true;
    }
    if (lost) {
        m_lineResult = RunResult::PortLost;
        error(QStringLiteral("Связь с терминалом потеряна, прошивка не закончена."));
    } else if (m_left) {
        m_lineResult = RunResult::Stopped;
    } else {
        m_lineResult = RunResult::BlockFailed;
        error(QStringLiteral("Ошибка прошивки!"));
    }
    return false;
}

bool Bootloader::Exit()
{
    StopRequested = true;
    if (m_progress.linesDone > 1)
        return false;
    leave();
    return true;
}

void Bootloader::leave()
{
    if (m_left)
        return;
    m_link.SendFrame(Commands::bootLeave());
    m_left = true;
}
