#pragma once

#include <QString>
#include <QStringList>

#include <optional>

struct CliCommand;

// The tool's own options, before the command.
struct CliOptions
{
    std::optional<QString> port;
    std::optional<qint32> baudRate;
    std::optional<QString> messagesFile;
    std::optional<QString> settingsFile;
    bool help = false;
    QString command;
    QStringList commandArguments; // everything after the command's name

    // Raises CliError (bad usage) for an unknown option or a bad value.
    static CliOptions parse(const QStringList &arguments);

    // A command's option value that must be a whole number above 0; raises
    // CliError (bad usage) naming the command and option otherwise.
    static int positiveNumber(const QString &text, const QString &what);

    static QString helpText(const QList<CliCommand> &commands);
    static QString commandHelpText(const CliCommand &command);
};
