#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

// Colours the terminal's log: modem exchanges between braces (which may run
// over several lines), information lines and TCP packet lines. Text outside
// these ranges keeps the view's own colours.
class LogHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    explicit LogHighlighter(QTextDocument *document);

    // Block states: whether a line ends inside an open modem range.
    enum State { Outside = 0, InModem = 1 };

protected:
    void highlightBlock(const QString &text) override;

private:
    // Highlights from pos to the closing brace or the end of the line and
    // returns where the range ended (text.size() when it stays open).
    qsizetype modemRange(const QString &text, qsizetype pos, bool *closed);
    void infoRange(const QString &text, qsizetype pos);
    void keywords(const QString &text, qsizetype from, qsizetype to);

    QTextCharFormat m_modem;
    QTextCharFormat m_ok;
    QTextCharFormat m_error;
    QTextCharFormat m_info;
    QTextCharFormat m_digit;
    QTextCharFormat m_tcp;
};
