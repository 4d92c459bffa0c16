#include "CliOptions.h"

#include "CliCommand.h"
#include "CliError.h"

#include <QCommandLineParser>

namespace {

const QString Tool = QStringLiteral("taviron-cli");

const QCommandLineOption PortOption(QStringLiteral("port"),
                                    QStringLiteral("Serial port name or path (/dev/ttyUSB0, /dev/pts/7, COM3), or "
                                                   "'sim' for the built-in simulated terminal. Default: Setup/Com of "
                                                   "the settings file."),
                                    QStringLiteral("NAME"));
const QCommandLineOption BaudOption(QStringLiteral("baud"),
                                    QStringLiteral("Bit rate. Default: Setup/BaudRate of the settings file, else 9600."),
                                    QStringLiteral("RATE"));
const QCommandLineOption MessagesOption(QStringLiteral("messages"),
                                        QStringLiteral("The terminal's message header. Default: Setup/MessagesPath of "
                                                       "the settings file followed by messages.h."),
                                        QStringLiteral("FILE"));
const QCommandLineOption SettingsOption(QStringLiteral("settings"),
                                        QStringLiteral("The settings file to use instead of tvConfigC.xml."),
                                        QStringLiteral("FILE"));
const QCommandLineOption HelpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                    QStringLiteral("Show this help."));

// The option lines of Qt's help text, without its usage line.
QString optionLines(const QCommandLineParser &parser)
{
    const QString text = parser.helpText();
    const qsizetype from = text.indexOf(QStringLiteral("Options:\n"));
    if (from < 0)
        return {};
    const qsizetype to = text.indexOf(QStringLiteral("\nArguments:"), from);
    return text.mid(from, to < 0 ? -1 : to - from).trimmed() + QLatin1Char('\n');
}

} // namespace

CliOptions CliOptions::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.addOptions({PortOption, BaudOption, MessagesOption, SettingsOption, HelpOption});
    if (!parser.parse(arguments))
        throw CliError::usage(parser.errorText());

    CliOptions o;
    o.help = parser.isSet(HelpOption);
    if (parser.isSet(PortOption)) {
        o.port = parser.value(PortOption);
        if (o.port->isEmpty())
            throw CliError::usage(QStringLiteral("--port: the port name is empty"));
    }
    if (parser.isSet(BaudOption)) {
        bool ok = false;
        const qint32 rate = parser.value(BaudOption).toInt(&ok);
        if (!ok || rate <= 0)
            throw CliError::usage(
                QStringLiteral("--baud: '%1' is not a bit rate (a whole number above 0)").arg(parser.value(BaudOption)));
        o.baudRate = rate;
    }
    if (parser.isSet(MessagesOption))
        o.messagesFile = parser.value(MessagesOption);
    if (parser.isSet(SettingsOption))
        o.settingsFile = parser.value(SettingsOption);
    QStringList rest = parser.positionalArguments();
    if (!rest.isEmpty())
        o.command = rest.takeFirst();
    o.commandArguments = rest;
    return o;
}

int CliOptions::positiveNumber(const QString &text, const QString &what)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n <= 0)
        throw CliError::usage(QStringLiteral("%1: '%2' is not a whole number above 0").arg(what, text));
    return n;
}

QString CliOptions::helpText(const QList<CliCommand> &commands)
{
    QCommandLineParser parser;
    parser.addOptions({PortOption, BaudOption, MessagesOption, SettingsOption, HelpOption});
    QString text = QStringLiteral("Usage: %1 [--port NAME] [--baud RATE] [--messages FILE] [--settings FILE] COMMAND [ARGS]\n\n"
                                  "Every operation on a Taviron terminal from the command line.\n\n")
                       .arg(Tool);
    text += optionLines(parser);
    text += QStringLiteral("\nCommands:\n");
    qsizetype width = 0;
    for (const CliCommand &c : commands)
        width = std::max(width, c.synopsis.size());
    for (const CliCommand &c : commands)
        text += QStringLiteral("  %1  %2\n").arg(c.synopsis.leftJustified(width), c.summary);
    text += QStringLiteral("\nRun '%1 COMMAND --help' for the command's own help.\n"
                           "Exit status: 0 done; 1 the terminal did not answer or refused; "
                           "2 bad usage or bad input file (nothing was sent).\n")
                .arg(Tool);
    return text;
}

QString CliOptions::commandHelpText(const CliCommand &command)
{
    QCommandLineParser parser;
    parser.addOptions(command.options);
    parser.addOption(HelpOption);
    return QStringLiteral("Usage: %1 [OPTIONS] %2\n\n%3\n\n").arg(Tool, command.synopsis, command.description)
        + optionLines(parser);
}
