#include "SimMessageHeader.h"

#include "SimLog.h"

#include <QFile>
#include <QRegularExpression>

QByteArray SimMessageHeader::bundledText()
{
    QFile file(QStringLiteral(":/sim/messages.h"));
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcSim) << "bundled message header missing";
        return {};
    }
    return file.readAll();
}

SimMessageHeader::SimMessageHeader()
{
    parse(bundledText());
}

SimMessageHeader::SimMessageHeader(const QByteArray &headerText)
{
    parse(headerText);
}

void SimMessageHeader::parse(const QByteArray &text)
{
    // Only the ASCII identifiers matter here; the Cyrillic comments are
    // Windows-1251 bytes and are read as Latin-1 without harm.
    static const QRegularExpression messageLine(QStringLiteral("[A-Za-z0-9_]+,?[ \\t\\n\\r\\f]?//[ \\t\\n\\r\\f]?"));
    static const QRegularExpression word(QStringLiteral("[A-Za-z0-9_]+"));
    const QString all = QString::fromLatin1(text);
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|\\r|\\n"));
    for (const QString &line : all.split(lineBreak)) {
        if (!messageLine.match(line).hasMatch())
            continue;
        const QByteArray name = word.match(line).captured().toLatin1();
        if (!m_numbers.contains(name))
            m_numbers.insert(name, m_count);
        ++m_count;
    }
}
