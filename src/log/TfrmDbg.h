#pragma once

#include <QWidget>

class QPlainTextEdit;

// A plain text window kept for debugging output.
class TfrmDbg final : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmDbg(QWidget *parent = nullptr);

    QPlainTextEdit *dbgLog() const { return m_text; }

private:
    QPlainTextEdit *m_text;
};
