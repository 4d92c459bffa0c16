#include "MessageCatalogue.h"

#include "LogLog.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

Q_LOGGING_CATEGORY(lcLog, "taviron.log", QtWarningMsg)

namespace {
// Word characters are ASCII only: a Cyrillic letter before the slashes does
// not make a message line. Whitespace is exactly space, tab, LF, CR and FF.
const QRegularExpression &messageLine()
{
    static const QRegularExpression re(QStringLiteral("[A-Za-z0-9_]+,?[ \\t\\n\\r\\f]?//[ \\t\\n\\r\\f]?"));
    return re;
}

const QRegularExpression &wordRun()
{
    static const QRegularExpression re(QStringLiteral("[A-Za-z0-9_]+"));
    return re;
}

// Strips the characters with codes 0 to 32 from both ends.
QString trimControls(const QString &s)
{
    qsizetype from = 0;
    qsizetype to = s.size();
    while (from < to && s.at(from).unicode() <= 32)
        ++from;
    while (to > from && s.at(to - 1).unicode() <= 32)
        --to;
    return s.mid(from, to - from);
}
} // namespace

bool MessageCatalogue::LoadMessages(const QString &folder)
{
    m_error.clear();
    const QString path = folder + QStringLiteral("messages.h");
    if (!QFileInfo::exists(path))
        return true;
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        m_error = QStringLiteral("Не удалось прочитать файл сообщений %1: %2").arg(path, file.errorString());
        qCWarning(lcLog).noquote() << m_error;
        return false;
    }
    LoadText(bytes);
    return true;
}

void MessageCatalogue::LoadText(const QByteArray &bytes)
{
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|\\r|\\n"));
    const QStringList lines = decodeHeader(bytes).split(lineBreak);
    MessageStrings.clear();
    MessageStrings.resize(lines.size());
    int n = 0;
    for (const QString &line : lines) {
        if (isMessageLine(line))
            ParseMessageLine(line, n++);
    }
    MessageStrings.resize(n);
    MessageStrings.squeeze();
    MessageCount = n;
}

void MessageCatalogue::ParseMessageLine(const QString &line, int index)
{
    if (index < 0 || index >= MessageStrings.size())
        return;
    const QString name = trimControls(wordRun().match(line).captured());
    const qsizetype slashes = line.indexOf(QStringLiteral("//"));
    QString comment = slashes < 0 ? QString() : trimControls(line.mid(slashes + 2));
    if (!name.isEmpty() && comment.isEmpty())
        comment = name;
    if (!name.isEmpty() && !comment.isEmpty())
        MessageStrings[index] = TMessageString{index, name, comment};
}

bool MessageCatalogue::isMessageLine(const QString &line)
{
    return messageLine().match(line).hasMatch();
}

QString MessageCatalogue::decodeHeader(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp1251("windows-1251");
    return cp1251.decode(bytes);
}
