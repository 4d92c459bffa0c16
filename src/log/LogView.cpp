#include "LogView.h"

#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTimer>

LogView::LogView(QWidget *parent)
    : QPlainTextEdit(parent)
{
    QFont font(QStringLiteral("Courier New"), 8);
    font.setStyleHint(QFont::TypeWriter);
    setFont(font);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(false);
    // The log has no line limit; an undo record per line would double its memory.
    document()->setUndoRedoEnabled(false);
}

void LogView::appendLine(const QString &line)
{
    QTextDocument *doc = document();
    QTextCursor cursor(doc);
    // One edit: the highlighter and the layout hear of the new line once.
    cursor.beginEditBlock();
    cursor.movePosition(QTextCursor::End);
    if (!doc->isEmpty())
        cursor.insertBlock();
    cursor.insertText(line);
    cursor.endEditBlock();
}

void LogView::postPageDown()
{
    // Requests that arrive before the first one runs are carried out together.
    if (m_pendingPageDowns++ == 0)
        QTimer::singleShot(0, this, &LogView::runPageDowns);
}

void LogView::runPageDowns()
{
    QScrollBar *bar = verticalScrollBar();
    const qint64 target = bar->value() + qint64(m_pendingPageDowns) * bar->pageStep();
    m_pendingPageDowns = 0;
    bar->setValue(int(qMin<qint64>(target, bar->maximum())));
}

void LogView::paintEvent(QPaintEvent *event)
{
    QPlainTextEdit::paintEvent(event);
    QPainter painter(viewport());
    painter.setPen(Qt::white);
    const qreal x = contentOffset().x() + document()->documentMargin()
        + fontMetrics().horizontalAdvance(QLatin1Char('M')) * RightMarginColumn;
    painter.drawLine(QLineF(x, 0, x, viewport()->height()));
}

void LogView::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    emit resized();
}
