#include "LogRules.h"

#include <QColor>
#include <QTextCharFormat>

#include <array>
#include <vector>

namespace {
const QString ModemOpen = QStringLiteral("{");
const QString ModemClose = QStringLiteral("}");
const QString InfoOpen = QStringLiteral("*** Информация");
const QString TcpOpen = QStringLiteral("TCP пакет символов=");
const QString Ok = QStringLiteral("OK");
const QString Error = QStringLiteral("ERROR");

// What a character is drawn as; Plain keeps the view's colours.
enum Style : quint8 { Plain, Modem, ModemOk, ModemError, Info, InfoDigit, Tcp, StyleCount };

QTextCharFormat charFormat(const QColor &colour, bool bold)
{
    QTextCharFormat f;
    f.setForeground(colour);
    if (bold)
        f.setFontWeight(QFont::Bold);
    return f;
}

const std::array<QTextCharFormat, StyleCount> &formatsOfStyles()
{
    static const std::array<QTextCharFormat, StyleCount> formats{
        QTextCharFormat(),
        charFormat(QColor(0x00, 0x00, 0x80), true), // navy
        charFormat(QColor(0x00, 0x00, 0xFF), true), // blue
        charFormat(QColor(0xFF, 0x00, 0x00), true), // red
        charFormat(QColor(0x00, 0x80, 0x80), false), // teal
        charFormat(QColor(0x00, 0x00, 0x00), true), // black
        charFormat(QColor(0xFF, 0x00, 0x00), false), // red
    };
    return formats;
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

bool isWordAt(QStringView text, qsizetype at, qsizetype end, const QString &word)
{
    const qsizetype after = at + word.size();
    return after <= end && text.mid(at, word.size()) == word && (at == 0 || isDelimiter(text.at(at - 1)))
        && (after == text.size() || isDelimiter(text.at(after)));
}

void fill(std::vector<quint8> &styles, qsizetype from, qsizetype to, Style style)
{
    std::fill(styles.begin() + from, styles.begin() + to, quint8(style));
}

// The modem range from pos to its closing brace or the end of the line.
qsizetype modemRange(QStringView text, qsizetype pos, std::vector<quint8> &styles, bool *closed)
{
    // The opening brace belongs to the range; the close is searched after it.
    const qsizetype from = text.mid(pos, 1) == ModemOpen ? pos + 1 : pos;
    const qsizetype close = text.indexOf(ModemClose, from);
    *closed = close >= 0;
    const qsizetype end = *closed ? close + 1 : text.size();
    fill(styles, pos, end, Modem);
    for (qsizetype i = pos; i < end; ++i) {
        if (isWordAt(text, i, end, Ok))
            fill(styles, i, i + Ok.size(), ModemOk);
        else if (isWordAt(text, i, end, Error))
            fill(styles, i, i + Error.size(), ModemError);
    }
    return end;
}

void infoRange(QStringView text, qsizetype pos, std::vector<quint8> &styles)
{
    for (qsizetype i = pos; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        styles[size_t(i)] = u >= u'0' && u <= u'9' ? InfoDigit : Info;
    }
}
} // namespace

namespace LogRules {

State highlight(QStringView text, State before, QList<QTextLayout::FormatRange> *formats)
{
    std::vector<quint8> styles(size_t(text.size()), Plain);
    bool inModem = before == InModem;
    qsizetype pos = 0;
    while (pos < text.size()) {
        if (inModem) {
            bool closed = false;
            pos = modemRange(text, pos, styles, &closed);
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
        } else {
            if (first == info)
                infoRange(text, first, styles);
            else
                fill(styles, first, text.size(), Tcp);
            pos = text.size();
        }
    }

    if (formats) {
        formats->clear();
        const auto &table = formatsOfStyles();
        for (qsizetype i = 0; i < text.size();) {
            qsizetype j = i + 1;
            while (j < text.size() && styles[size_t(j)] == styles[size_t(i)])
                ++j;
            if (styles[size_t(i)] != Plain)
                formats->append({int(i), int(j - i), table[styles[size_t(i)]]});
            i = j;
        }
    }
    return inModem ? InModem : Outside;
}

} // namespace LogRules
