#pragma once

#include <QString>

#include <exception>

// Exit status of the tool: scripts branch on it.
enum ExitCode : int {
    ExitDone = 0,
    ExitNoAnswer = 1, // the terminal did not answer, refused, or the port failed
    ExitBadInput = 2, // bad usage or a bad input file; nothing was sent
};

// Ends a command with a message for stderr and the given exit status.
class CliError : public std::exception
{
public:
    CliError(ExitCode code, QString message)
        : m_code(code)
        , m_message(std::move(message))
        , m_utf8(m_message.toUtf8())
    {
    }
    ExitCode code() const { return m_code; }
    QString message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

    static CliError usage(const QString &message) { return {ExitBadInput, message}; }
    static CliError device(const QString &message) { return {ExitNoAnswer, message}; }

private:
    ExitCode m_code;
    QString m_message;
    QByteArray m_utf8;
};
