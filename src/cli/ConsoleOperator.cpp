#include "ConsoleOperator.h"

#include <QTextStream>

ConsoleOperator::ConsoleOperator(QTextStream &in, QTextStream &err)
    : m_in(in)
    , m_err(err)
{
}

std::optional<QString> ConsoleOperator::askLine(const QString &prompt)
{
    m_err << prompt << Qt::flush;
    QString line;
    if (!m_in.readLineInto(&line))
        return std::nullopt;
    return line.trimmed();
}

int ConsoleOperator::AskOperator(const QString &text, const QString &caption, int flags)
{
    const bool question = flags == Question;
    // The window's texts break lines with CR LF.
    m_err << Qt::endl << caption << Qt::endl << QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) << Qt::endl;
    const QString prompt = question ? QStringLiteral("[y/n] ") : QStringLiteral("[Enter: OK, n: cancel] ");
    for (;;) {
        const std::optional<QString> answer = askLine(prompt);
        if (!answer)
            return question ? IdNo : IdCancel;
        const QString a = answer->toLower();
        if (a == QLatin1String("y") || a == QLatin1String("yes") || (!question && a.isEmpty()))
            return question ? IdYes : IdOk;
        if (a == QLatin1String("n") || a == QLatin1String("no"))
            return question ? IdNo : IdCancel;
    }
}
