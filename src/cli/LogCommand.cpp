#include "LogCommand.h"

#include "CliCommand.h"
#include "CliContext.h"
#include "CliError.h"
#include "link/Commands.h"
#include "log/LogLine.h"
#include "log/MessageCatalogue.h"
#include "sim/PortFactory.h"

#include <QCommandLineParser>
#include <QFile>
#include <QMutexLocker>

namespace {

const QCommandLineOption SecondsOption(QStringLiteral("seconds"),
                                       QStringLiteral("Stop after N seconds (default: run until Ctrl+C or SIGTERM)."),
                                       QStringLiteral("N"));

// The catalogue is read before the port is opened: without it no record has
// a text, and the log would print nothing at all. Without a header file, the
// simulated terminal's own header serves, as in the window.
void loadCatalogue(const CliContext &ctx, MessageCatalogue &catalogue)
{
    const QString fileName = ctx.messagesFile();
    QFile file(fileName);
    if (!file.exists() && !bundledMessageHeader(ctx.portName()).isEmpty()) {
        catalogue.LoadText(bundledMessageHeader(ctx.portName()));
        return;
    }
    if (!file.open(QIODevice::ReadOnly))
        throw CliError::usage(QStringLiteral("cannot read the message header %1: %2 (give --messages FILE)")
                                  .arg(fileName, file.errorString()));
    catalogue.LoadText(file.readAll());
    if (catalogue.MessageCount == 0)
        throw CliError::usage(QStringLiteral("%1 holds no messages; is it the terminal's messages.h?").arg(fileName));
}

void switchLog(CliSession &session, bool on)
{
    if (!session.exchange(Commands::logOutput(on)).answered)
        throw CliError::device(QStringLiteral("the terminal did not answer the request to turn its log %1")
                                   .arg(on ? QStringLiteral("on") : QStringLiteral("off")));
}

// The link's log hook for as long as the command runs: the receiver calls it
// under the link's lock, so it is set and cleared under that lock too.
class LogPrinter
{
public:
    LogPrinter(Link &link, const MessageCatalogue &catalogue, QTextStream &out)
        : m_link(link)
    {
        QMutexLocker lock(&m_link.LinkLock);
        m_link.HandleLogFrame = [this, &catalogue, &out] {
            // The same formatting as the log window's, so each printed line
            // is exactly the line the window adds; flushed for a pipe's reader.
            if (const auto line = LogLine::format(m_link.LastFrameData, catalogue))
                out << *line << Qt::endl;
        };
    }
    ~LogPrinter()
    {
        QMutexLocker lock(&m_link.LinkLock);
        m_link.HandleLogFrame = nullptr;
    }
    LogPrinter(const LogPrinter &) = delete;
    LogPrinter &operator=(const LogPrinter &) = delete;

private:
    Link &m_link;
};

} // namespace

CliCommand logCommand()
{
    CliCommand c;
    c.name = QStringLiteral("log");
    c.synopsis = QStringLiteral("log [--seconds N]");
    c.summary = QStringLiteral("follow the terminal's log, one line per record");
    c.description = QStringLiteral("Turns the terminal's log output on and prints each record as the log window "
                                   "shows it, one per line, at once. After N seconds, or on Ctrl+C or SIGTERM, turns "
                                   "the log output off again and exits with 0 (a second Ctrl+C ends the tool at "
                                   "once). The texts come from the message header (--messages); the simulated terminal "
                                   "(--port sim) brings its own.");
    c.options = {SecondsOption};
    c.run = [](CliContext &ctx, const QCommandLineParser &parser) {
        const qint64 limitMs = parser.isSet(SecondsOption)
            ? qint64(CliOptions::positiveNumber(parser.value(SecondsOption), QStringLiteral("log: --seconds"))) * 1000
            : -1;
        MessageCatalogue catalogue;
        loadCatalogue(ctx, catalogue);

        CliSession &session = ctx.session();
        const LogPrinter printer(session.link(), catalogue, ctx.out());
        switchLog(session, true);
        if (ctx.wait(limitMs, [] { return false; }) == CliContext::WaitEnd::PortLost)
            throw CliError::device(QStringLiteral("the port went away: %1").arg(session.lostReason()));
        switchLog(session, false);
        return int(ExitDone);
    };
    return c;
}
