#include "FlashCommand.h"

#include "CliCommand.h"
#include "CliContext.h"
#include "CliError.h"
#include "ConsoleOperator.h"
#include "firmware/Bootloader.h"
#include "firmware/HexImage.h"

#include <QCommandLineParser>

namespace {

constexpr int BarWidth = 30;

QString timeText(qint64 ms)
{
    const qint64 s = (ms + 999) / 1000;
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

// One line on stderr, redrawn in place: bar, percent, bytes, time left.
QString progressLine(const Bootloader::Progress &p)
{
    const int percent = p.bytesTotal > 0 ? int(p.bytesSent * 100 / p.bytesTotal) : 0;
    const int filled = percent * BarWidth / 100;
    QString line = QStringLiteral("\r[%1%2] %3%  %4/%5 bytes")
                       .arg(QString(filled, QLatin1Char('#')), QString(BarWidth - filled, QLatin1Char('.')))
                       .arg(percent, 3)
                       .arg(p.bytesSent)
                       .arg(p.bytesTotal);
    line += p.msLeft >= 0 ? QStringLiteral("  %1 left").arg(timeText(p.msLeft)) : QStringLiteral("  -:-- left");
    return line;
}

QString resultText(Bootloader::RunResult result)
{
    switch (result) {
    case Bootloader::RunResult::Refused: return QStringLiteral("the image was refused; no block was sent");
    case Bootloader::RunResult::EnterFailed: return QStringLiteral("the bootloader did not confirm entry; no block was sent");
    case Bootloader::RunResult::Finished: return {};
    case Bootloader::RunResult::Stopped: return QStringLiteral("stopped before the end of the image");
    case Bootloader::RunResult::LineStopped:
        return QStringLiteral("a line of fewer than two characters ended the transfer before the end of the image");
    case Bootloader::RunResult::BlockFailed: return QStringLiteral("a block was refused on every attempt");
    case Bootloader::RunResult::PortLost: return QStringLiteral("the port went away during the transfer");
    }
    return {};
}

// The whole image is read and checked before the port is opened; its
// questions are answered on the console. Raises CliError (bad input) for an
// image that must not or will not be sent.
void checkImage(const QString &path, ConsoleOperator &op, QTextStream &err)
{
    HexImage image;
    QString why;
    if (!image.load(path, &why))
        throw CliError::usage(QStringLiteral("%1: %2").arg(path, why));
    const HexImage::Check check = image.check();
    if (!check.refusal.isEmpty())
        throw CliError::usage(QStringLiteral("%1: %2").arg(path, check.refusal));
    for (const QString &question : check.questions) {
        err << question << Qt::endl;
        const std::optional<QString> answer = op.askLine(QStringLiteral("Load this image? [y/n] "));
        if (!answer || (answer->toLower() != QLatin1String("y") && answer->toLower() != QLatin1String("yes")))
            throw CliError::usage(QStringLiteral("%1: declined; nothing was sent").arg(path));
    }
}

} // namespace

CliCommand flashCommand()
{
    CliCommand c;
    c.name = QStringLiteral("flash");
    c.synopsis = QStringLiteral("flash FILE");
    c.arguments = {QStringLiteral("FILE")};
    c.summary = QStringLiteral("load firmware from an Intel HEX file through the bootloader");
    c.description = QStringLiteral(
        "Checks the whole Intel HEX file first (a damaged file is refused and nothing is sent; questions about the "
        "image are asked on the console), then takes the terminal into its bootloader and sends the image block by "
        "block, showing a progress bar with percent, bytes and time left on stderr. Ctrl+C stops after the current "
        "block. Exits with 0 only when every block was accepted.");
    c.run = [](CliContext &ctx, const QCommandLineParser &parser) {
        const QString path = parser.positionalArguments().at(0);
        ConsoleOperator op(ctx.in(), ctx.err());
        checkImage(path, op, ctx.err());

        Bootloader boot(ctx.session().link());
        QString lastError;
        bool barShown = false;
        // The questions were answered above, before anything was sent; the
        // file has not changed since unless someone is writing it right now.
        boot.ask = [](const QString &) { return true; };
        boot.showError = [&](const QString &text) { lastError = text; };
        boot.onProgress = [&](const Bootloader::Progress &p) {
            ctx.err() << progressLine(p) << Qt::flush;
            barShown = true;
            if (ctx.interrupted())
                boot.Exit();
        };
        boot.Open();
        const Bootloader::RunResult result = boot.Run(path);
        // A run that never began leaves the terminal in its bootloader; the
        // window's "Выход" tells it to leave, and so does the tool.
        if (result == Bootloader::RunResult::Refused || result == Bootloader::RunResult::EnterFailed)
            boot.Exit();
        boot.Close();
        if (barShown)
            ctx.err() << Qt::endl;
        if (result != Bootloader::RunResult::Finished)
            throw CliError::device(lastError.isEmpty() ? resultText(result)
                                                       : QStringLiteral("%1 (%2)").arg(resultText(result), lastError));
        ctx.note(QStringLiteral("every block accepted; blocks sent again and negative replies: %1").arg(boot.ErrCnt));
        return int(ExitDone);
    };
    return c;
}
