#include "TestHighlighter.h"

namespace {
const QColor Green(0x00, 0x80, 0x00);
const QColor Red(0xFF, 0x00, 0x00);

// Blanks and every ASCII punctuation character but the underscore.
bool isDelimiter(QChar c)
{
    static const QString delimiters = QStringLiteral(" \t!\"#$%&'()*+,-./:;<=>?@[\\]^`{|}~");
    return delimiters.contains(c);
}
} // namespace

const QColor TestHighlighter::Stretch(0x00, 0x00, 0xFF);
const QColor TestHighlighter::Background(0xFF, 0xFF, 0xFF);

const QList<TestHighlighter::KeywordList> &TestHighlighter::keywordLists()
{
    static const QList<KeywordList> lists = {
        { QStringLiteral("OK"), { QStringLiteral("OK"), QStringLiteral("ОК") }, Green },
        { QStringLiteral("Error"), { QStringLiteral("Ошибка"), QStringLiteral("ошибка"), QStringLiteral("ОШИБКА") }, Red },
        { QStringLiteral("GPS_not_valid"), { QStringLiteral("Данные не верны.") }, Red },
        { QStringLiteral("GPS_valid"), { QStringLiteral("Данные верны.") }, Green },
        { QStringLiteral("test_error"), { QStringLiteral("Тест не пройден!"), QStringLiteral("Калибровка не выполнена") }, Red },
        { QStringLiteral("test_OK"), { QStringLiteral("Тест пройден!"), QStringLiteral("Калибровка выполнена") }, Green },
    };
    return lists;
}

TestHighlighter::TestHighlighter(QTextDocument *document)
    : QSyntaxHighlighter(document)
{
}

const TestHighlighter::KeywordList *TestHighlighter::keywordAt(const QString &text, qsizetype pos, qsizetype &length)
{
    // A word starts and ends where a delimiter (or the line's edge) meets it,
    // unless the word's own first or last character is a delimiter.
    const auto startsWord
        = [&](const QString &word) { return pos == 0 || isDelimiter(text.at(pos - 1)) || isDelimiter(word.front()); };
    const auto endsWord = [&](const QString &word) {
        const qsizetype end = pos + word.size();
        return end == text.size() || isDelimiter(text.at(end)) || isDelimiter(word.back());
    };
    const KeywordList *found = nullptr;
    length = 0;
    for (const KeywordList &list : keywordLists()) {
        for (const QString &word : list.words) {
            if (word.size() > length && QStringView(text).mid(pos).startsWith(word) && startsWord(word) && endsWord(word)) {
                found = &list;
                length = word.size();
            }
        }
    }
    return found;
}

void TestHighlighter::highlightBlock(const QString &text)
{
    const qsizetype start = text.indexOf(u'[');
    if (start < 0)
        return;
    QTextCharFormat stretch;
    stretch.setForeground(Stretch);
    stretch.setBackground(Background);
    setFormat(int(start), int(text.size() - start), stretch);

    for (qsizetype pos = start; pos < text.size();) {
        qsizetype length = 0;
        const KeywordList *list = keywordAt(text, pos, length);
        if (!list) {
            ++pos;
            continue;
        }
        QTextCharFormat keyword = stretch;
        keyword.setForeground(list->colour);
        keyword.setFontWeight(QFont::Bold);
        setFormat(int(pos), int(length), keyword);
        pos += length;
    }
}
