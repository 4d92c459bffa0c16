#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class CliContext;
class QCommandLineParser;

// One command of the tool: its name, its arguments and options (for parsing
// and for --help) and what it does. run() returns the exit status or raises
// CliError.
struct CliCommand
{
    QString name;
    QString synopsis;       // "read [-o FILE]"
    QString summary;        // one line for the tool's --help
    QString description;    // the command's own --help
    QStringList arguments;  // positional arguments, all required
    bool checksArguments = false; // run() checks the positional arguments itself
    QList<QCommandLineOption> options;
    std::function<int(CliContext &, const QCommandLineParser &)> run;
};
