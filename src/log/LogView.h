#pragma once

#include "LogLines.h"

#include <QAbstractScrollArea>
#include <QTextLayout>

#include <memory>

class QMenu;

// The text view of the terminal log. It keeps the lines compactly and lays
// out only the lines on screen, so adding a line costs the same however long
// the log has grown and no line is coloured again once it has been added.
// The vertical scroll bar counts lines: its value is the top line.
class LogView final : public QAbstractScrollArea
{
    Q_OBJECT
public:
    static constexpr int RightMarginColumn = 100;

    explicit LogView(QWidget *parent = nullptr);

    // Adds a new last line without moving the view.
    void appendLine(const QString &line);
    void clear();
    qsizetype lineCount() const { return m_lines.size(); }
    QString line(qsizetype i) const { return m_lines.line(i).toString(); }
    // The lines joined by line breaks.
    QString toPlainText() const;
    // Every line followed by a line break, as it is saved.
    QString text() const { return m_lines.text(); }

    // Asks for a one-page scroll down once control returns to the event loop.
    void postPageDown();

    // Finds text (ignoring case) after or before the last match, going round
    // the ends of the log; shows and marks the match.
    bool find(const QString &text, bool backward);
    qsizetype matchLine() const { return m_match.line; }

    // Whole lines are selected with the mouse, Shift and Ctrl+A.
    void selectAll();
    QString selectedText() const;
    void copy() const;
    // "Копировать" and "Выделить всё"; the caller owns the menu.
    QMenu *createContextMenu();

signals:
    void resized();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Match
    {
        qsizetype line = -1;
        qsizetype pos = 0;
        qsizetype length = 0;
    };

    std::unique_ptr<QTextLayout> layoutLine(qsizetype i) const;
    int lineHeight(qsizetype i) const;
    int textWidth() const;
    qsizetype lineAt(int y) const;
    void select(qsizetype anchor, qsizetype to);
    void showLine(qsizetype i);
    void scheduleRangeUpdate();
    void updateScrollRange();
    void runPageDowns();

    LogLines m_lines;
    int m_pendingPageDowns = 0;
    bool m_rangeDirty = false;
    qsizetype m_anchor = -1;
    qsizetype m_selFirst = -1;
    qsizetype m_selLast = -1;
    Match m_match;
};
