#include "LogHighlighter.h"

#include <QColor>

namespace {
const QString ModemOpen = QStringLiteral("{");
const QString ModemClose = QStringLiteral("}");
const QString InfoOpen = QStringLiteral("*** Информация");
const QString TcpOpen = QStringLiteral("TCP пакет символов=");

QTextCharFormat charFormat(const QColor &colour, bool bold)
{
    QTextCharFormat f;
    f.setForeground(colour);
    if (bold)
        f.setFontWeight(QFont::Bold);
    return f;
}

// Words end at blanks and at every ASCII punctuation character but the
// underscore; Cyrillic letters and digits belong to words.
bool isDelimiter(QChar c)
{
    const char16_t u = c.unicode();
    if (u <= 32)
        return true;
    if (u >= 127)
        return false;
    return u != u'_' && !QChar::isLetterOrNumber(u);
}

bool isWordAt(const QString &text, qsizetype at, const QString &word)
{
    const qsizetype end = at + word.size();
    return text.mid(at, word.size()) == word && (at == 0 || isDelimiter(text.at(at - 1)))
        && (end == text.size() || isDelimiter(text.at(end)));
}
} // namespace

LogHighlighter::LogHighlighter(QTextDocument *document)
    : QSyntaxHighlighter(document)
    , m_modem(charFormat(QColor(0x00, 0x00, 0x80), true))
    , m_ok(charFormat(QColor(0x00, 0x00, 0xFF), true))
    , m_error(charFormat(QColor(0xFF, 0x00, 0x00), true))
    , m_info(charFormat(QColor(0x00, 0x80, 0x80), false))
    , m_digit(charFormat(QColor(0x00, 0x00, 0x00), true))
    , m_tcp(charFormat(QColor(0xFF, 0x00, 0x00), false))
{
}

void LogHighlighter::highlightBlock(const QString &text)
{
    bool inModem = previousBlockState() == InModem;
    qsizetype pos = 0;
    while (pos < text.size()) {
        if (inModem) {
            bool closed = false;
            pos = modemRange(text, pos, &closed);
            inModem = !closed;
            continue;
        }
        const qsizetype brace = text.indexOf(ModemOpen, pos);
        const qsizetype info = text.indexOf(InfoOpen, pos);
        const qsizetype tcp = text.indexOf(TcpOpen, pos);
        qsizetype first = text.size();
        for (qsizetype at : {brace, info, tcp}) {
            if (at >= 0 && at < first)
                first = at;
        }
        if (first == text.size())
            break;
        if (first == brace) {
            inModem = true;
            pos = first;
        } else if (first == info) {
            infoRange(text, first);
            pos = text.size();
        } else {
            setFormat(int(first), int(text.size() - first), m_tcp);
            pos = text.size();
        }
    }
    setCurrentBlockState(inModem ? InModem : Outside);
}

qsizetype LogHighlighter::modemRange(const QString &text, qsizetype pos, bool *closed)
{
    // The opening brace belongs to the range; search for the close after it.
    const qsizetype from = text.mid(pos, 1) == ModemOpen ? pos + 1 : pos;
    const qsizetype close = text.indexOf(ModemClose, from);
    *closed = close >= 0;
    const qsizetype end = *closed ? close + 1 : text.size();
    setFormat(int(pos), int(end - pos), m_modem);
    keywords(text, pos, end);
    return end;
}

void LogHighlighter::infoRange(const QString &text, qsizetype pos)
{
    setFormat(int(pos), int(text.size() - pos), m_info);
    for (qsizetype i = pos; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (u >= u'0' && u <= u'9')
            setFormat(int(i), 1, m_digit);
    }
}

void LogHighlighter::keywords(const QString &text, qsizetype from, qsizetype to)
{
    static const QString Ok = QStringLiteral("OK");
    static const QString Error = QStringLiteral("ERROR");
    for (qsizetype i = from; i < to; ++i) {
        if (i > 0 && !isDelimiter(text.at(i - 1)))
            continue;
        if (i + Ok.size() <= to && isWordAt(text, i, Ok))
            setFormat(int(i), int(Ok.size()), m_ok);
        else if (i + Error.size() <= to && isWordAt(text, i, Error))
            setFormat(int(i), int(Error.size()), m_error);
    }
}
