#pragma once

#include "TestOutput.h"

#include <QPlainTextEdit>

class TestHighlighter;

// The result view of the testing page: read-only, fixed pitch, coloured by
// the test highlighter.
class TestMemo : public QPlainTextEdit, public TestOutput
{
    Q_OBJECT
public:
    explicit TestMemo(QWidget *parent = nullptr);

    void clearLines() override;
    void appendLine(const QString &text) override;

    TestHighlighter *highlighter() const { return UniSyn; }

private:
    TestHighlighter *UniSyn;
};
