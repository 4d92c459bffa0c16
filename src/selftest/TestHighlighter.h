#pragma once

#include <QColor>
#include <QList>
#include <QStringList>
#include <QSyntaxHighlighter>

// The result view's colouring: from a "[" to the end of the line the text is
// blue on white, and inside it the verdict words stand out in bold green or
// red. Words are delimited by blanks and ASCII punctuation other than "_".
class TestHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    struct KeywordList
    {
        QString name;
        QStringList words;
        QColor colour;
    };
    static const QList<KeywordList> &keywordLists();
    static const QColor Stretch;
    static const QColor Background;

    explicit TestHighlighter(QTextDocument *document);

protected:
    void highlightBlock(const QString &text) override;

private:
    // The keyword list that matches as a whole word at pos, or nullptr;
    // length gets the matched word's length.
    static const KeywordList *keywordAt(const QString &text, qsizetype pos, qsizetype &length);
};
