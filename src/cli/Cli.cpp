#include "Cli.h"

#include "CliCommand.h"
#include "CliError.h"
#include "ConfigCommands.h"
#include "FlashCommand.h"
#include "FuelCommand.h"
#include "LogCommand.h"
#include "ModeCommand.h"
#include "PortsCommand.h"
#include "SelfTestCommand.h"

#include <QCommandLineParser>

Cli::Cli(Pump &pump, CliContext::PortFactory portFactory, QTextStream &out, QTextStream &err, QTextStream &in)
    : m_pump(pump)
    , m_portFactory(std::move(portFactory))
    , m_out(out)
    , m_err(err)
    , m_in(in)
{
}

const QList<CliCommand> &Cli::commands()
{
    static const QList<CliCommand> list = {
        portsCommand(),
        readCommand(),
        writeCommand(),
        saveCommand(),
        inputsCommand(),
        logCommand(),
        selfTestCommand(),
        flashCommand(),
        fuelCommand(),
        modeCommand(),
    };
    return list;
}

int Cli::run(const QStringList &arguments)
{
    int status = ExitDone;
    try {
        const CliOptions options = CliOptions::parse(arguments);
        if (options.command.isEmpty()) {
            if (!options.help)
                throw CliError::usage(QStringLiteral("no command given; see --help"));
            m_out << CliOptions::helpText(commands());
        } else {
            status = runCommand(options);
        }
    } catch (const CliError &e) {
        m_err << "taviron-cli: " << e.message() << Qt::endl;
        status = e.code();
    }
    m_out.flush();
    m_err.flush();
    return status;
}

int Cli::runCommand(const CliOptions &options)
{
    const CliCommand *command = nullptr;
    for (const CliCommand &c : commands())
        if (c.name == options.command)
            command = &c;
    if (!command)
        throw CliError::usage(QStringLiteral("unknown command '%1'; see --help").arg(options.command));

    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOptions(command->options);
    parser.addOption(help);
    if (!parser.parse(QStringList{command->name} + options.commandArguments))
        throw CliError::usage(QStringLiteral("%1: %2").arg(command->name, parser.errorText()));
    if (options.help || parser.isSet(help)) {
        m_out << CliOptions::commandHelpText(*command);
        return ExitDone;
    }
    const QStringList given = parser.positionalArguments();
    if (!command->checksArguments && given.size() != command->arguments.size())
        throw CliError::usage(QStringLiteral("%1: expected %2; usage: taviron-cli %3")
                                  .arg(command->name,
                                       command->arguments.isEmpty() ? QStringLiteral("no arguments")
                                                                    : command->arguments.join(QLatin1Char(' ')),
                                       command->synopsis));

    CliContext context(m_pump, m_portFactory, options, m_out, m_err, m_in);
    context.interrupted = interrupted;
    return command->run(context, parser);
}
