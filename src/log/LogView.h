#pragma once

#include <QPlainTextEdit>

// The text view of the terminal log. Lines are only ever added at the end, so
// adding one costs the same however long the log has grown: the document
// keeps no undo history of them and only the new line is highlighted.
class LogView final : public QPlainTextEdit
{
    Q_OBJECT
public:
    static constexpr int RightMarginColumn = 100;

    explicit LogView(QWidget *parent = nullptr);

    // Adds a new last line without moving the view.
    void appendLine(const QString &line);
    // Asks for a one-page scroll down once control returns to the event loop.
    void postPageDown();

signals:
    void resized();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void runPageDowns();

    int m_pendingPageDowns = 0;
};
