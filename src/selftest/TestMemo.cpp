#include "TestMemo.h"

#include "TestHighlighter.h"

TestMemo::TestMemo(QWidget *parent)
    : QPlainTextEdit(parent)
    , UniSyn(new TestHighlighter(document()))
{
    setObjectName(QStringLiteral("TestMemo"));
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSize(10);
    setFont(font);
}

void TestMemo::clearLines()
{
    clear();
}

void TestMemo::appendLine(const QString &text)
{
    appendPlainText(text);
}
