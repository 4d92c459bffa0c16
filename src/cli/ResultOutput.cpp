#include "ResultOutput.h"

#include "CliError.h"

#include <QTextStream>

ResultOutput::ResultOutput(const QString &fileName, QTextStream &out)
    : m_file(fileName)
    , m_out(out)
    , m_toFile(!fileName.isEmpty())
{
    if (m_toFile && !m_file.open(QIODevice::WriteOnly))
        throw CliError::usage(QStringLiteral("cannot write %1: %2").arg(fileName, m_file.errorString()));
}

void ResultOutput::write(const QString &text)
{
    if (!m_toFile) {
        m_out << text << Qt::endl;
        return;
    }
    m_file.write((text + QLatin1Char('\n')).toUtf8());
    if (!m_file.commit())
        throw CliError::device(QStringLiteral("cannot write %1: %2").arg(m_file.fileName(), m_file.errorString()));
}
