#include "ModeCommand.h"

#include "CliCommand.h"
#include "CliContext.h"
#include "CliError.h"
#include "link/Commands.h"

#include <QCommandLineParser>

namespace {
constexpr int FirstMode = 1;
constexpr int LastMode = 4;
} // namespace

CliCommand modeCommand()
{
    CliCommand c;
    c.name = QStringLiteral("mode");
    c.synopsis = QStringLiteral("mode N");
    c.arguments = {QStringLiteral("N")};
    c.summary = QStringLiteral("switch the terminal's work mode (1 main, 2 modem, 3 navigation receiver, 4)");
    c.description = QStringLiteral("Sends the work mode N (1 to 4) to the terminal and prints the mode it confirmed. "
                                   "Exits with 1 when the terminal does not confirm N.");
    c.run = [](CliContext &ctx, const QCommandLineParser &parser) {
        const QString text = parser.positionalArguments().at(0);
        bool ok = false;
        const int mode = text.toInt(&ok);
        if (!ok || mode < FirstMode || mode > LastMode)
            throw CliError::usage(QStringLiteral("mode: '%1' is not a work mode (%2 to %3)").arg(text).arg(FirstMode).arg(LastMode));
        CliSession &session = ctx.session();
        const CliSession::Reply reply = session.exchange(Commands::setMode(static_cast<quint8>(mode)));
        if (!reply.answered)
            throw CliError::device(QStringLiteral("the terminal did not answer the work mode request"));
        if (reply.data.isEmpty() || static_cast<quint8>(reply.data.at(0)) != mode)
            throw CliError::device(QStringLiteral("the terminal did not confirm work mode %1 (answered %2)")
                                       .arg(mode)
                                       .arg(reply.data.isEmpty() ? QStringLiteral("nothing")
                                                                 : QString::number(quint8(reply.data.at(0)))));
        session.link().WorkMode = static_cast<quint8>(mode);
        ctx.out() << mode << Qt::endl;
        return int(ExitDone);
    };
    return c;
}
