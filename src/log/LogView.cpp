#include "LogView.h"

#include "LogRules.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

namespace {
constexpr int Margin = 4;
}

LogView::LogView(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    QFont font(QStringLiteral("Courier New"), 8);
    font.setStyleHint(QFont::TypeWriter);
    setFont(font);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // lines wrap at the view's width
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    viewport()->setCursor(Qt::IBeamCursor);
    updateScrollRange();
}

void LogView::appendLine(const QString &line)
{
    const auto before = LogRules::State(m_lines.isEmpty() ? 0 : m_lines.stateAfter(m_lines.size() - 1));
    m_lines.append(line, LogRules::highlight(line, before, nullptr));
    scheduleRangeUpdate();
    // A line below the screen needs no painting.
    if (m_lines.size() - 1 <= verticalScrollBar()->value() + verticalScrollBar()->pageStep())
        viewport()->update();
}

void LogView::clear()
{
    m_lines.clear();
    m_anchor = m_selFirst = m_selLast = -1;
    m_match = Match();
    updateScrollRange();
    viewport()->update();
}

QString LogView::toPlainText() const
{
    QString text = m_lines.text();
    text.chop(1);
    return text;
}

void LogView::postPageDown()
{
    // Requests that arrive before the first one runs are carried out together.
    if (m_pendingPageDowns++ == 0)
        QTimer::singleShot(0, this, &LogView::runPageDowns);
}

void LogView::runPageDowns()
{
    if (m_rangeDirty)
        updateScrollRange();
    QScrollBar *bar = verticalScrollBar();
    const qint64 target = bar->value() + qint64(m_pendingPageDowns) * bar->pageStep();
    m_pendingPageDowns = 0;
    bar->setValue(int(qMin<qint64>(target, bar->maximum())));
}

bool LogView::find(const QString &text, bool backward)
{
    const qsizetype n = m_lines.size();
    if (text.isEmpty() || n == 0)
        return false;
    const bool resume = m_match.line >= 0 && m_match.line < n;
    const qsizetype startLine = resume ? m_match.line : (backward ? n - 1 : 0);
    // Every line once from just past the last match, then the starting line
    // again from its other end, so a single match is found again.
    for (qsizetype k = 0; k <= n; ++k) {
        const qsizetype i = backward ? (startLine - k % n + n) % n : (startLine + k) % n;
        const QStringView line = m_lines.line(i);
        qsizetype at = -1;
        if (backward) {
            const qsizetype from = k == 0 && resume ? m_match.pos - 1 : line.size();
            if (from >= 0)
                at = line.lastIndexOf(text, from, Qt::CaseInsensitive);
        } else {
            at = line.indexOf(text, k == 0 && resume ? m_match.pos + 1 : 0, Qt::CaseInsensitive);
        }
        if (at >= 0) {
            m_match = {i, at, text.size()};
            showLine(i);
            viewport()->update();
            return true;
        }
    }
    return false;
}

void LogView::selectAll()
{
    if (!m_lines.isEmpty())
        select(0, m_lines.size() - 1);
}

QString LogView::selectedText() const
{
    QString out;
    for (qsizetype i = m_selFirst; i >= 0 && i <= m_selLast && i < m_lines.size(); ++i) {
        if (i > m_selFirst)
            out += QLatin1Char('\n');
        out += m_lines.line(i);
    }
    return out;
}

void LogView::copy() const
{
    if (m_selFirst >= 0)
        QApplication::clipboard()->setText(selectedText());
}

QMenu *LogView::createContextMenu()
{
    auto *menu = new QMenu(this);
    QAction *copyAction = menu->addAction(QStringLiteral("Копировать"), this, &LogView::copy);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(m_selFirst >= 0);
    menu->addAction(QStringLiteral("Выделить всё"), this, &LogView::selectAll)->setShortcut(QKeySequence::SelectAll);
    return menu;
}

std::unique_ptr<QTextLayout> LogView::layoutLine(qsizetype i) const
{
    const QString text = m_lines.line(i).toString();
    auto layout = std::make_unique<QTextLayout>(text, font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->setTextOption(option);
    QList<QTextLayout::FormatRange> formats;
    LogRules::highlight(text, LogRules::State(m_lines.stateBefore(i)), &formats);
    if (i == m_match.line) {
        QTextCharFormat found;
        found.setBackground(QColor(0xFF, 0xFF, 0x00));
        formats.append({int(m_match.pos), int(m_match.length), found});
    }
    layout->setFormats(formats);
    layout->beginLayout();
    qreal y = 0;
    for (QTextLine l = layout->createLine(); l.isValid(); l = layout->createLine()) {
        l.setLineWidth(textWidth());
        l.setPosition(QPointF(0, y));
        y += l.height();
    }
    layout->endLayout();
    return layout;
}

int LogView::lineHeight(qsizetype i) const
{
    // Most lines fit the width: the monospaced font tells without laying them out.
    const QFontMetrics metrics(font());
    if (m_lines.line(i).size() * metrics.maxWidth() <= textWidth())
        return metrics.lineSpacing();
    return int(std::ceil(layoutLine(i)->boundingRect().height()));
}

int LogView::textWidth() const
{
    return qMax(1, viewport()->width() - 2 * Margin);
}

qsizetype LogView::lineAt(int y) const
{
    int top = Margin;
    for (qsizetype i = verticalScrollBar()->value(); i < m_lines.size(); ++i) {
        top += lineHeight(i);
        if (y < top)
            return i;
    }
    return m_lines.size() - 1;
}

void LogView::select(qsizetype anchor, qsizetype to)
{
    m_anchor = anchor;
    m_selFirst = qMin(anchor, to);
    m_selLast = qMax(anchor, to);
    viewport()->update();
}

void LogView::showLine(qsizetype i)
{
    QScrollBar *bar = verticalScrollBar();
    if (m_rangeDirty)
        updateScrollRange();
    if (i < bar->value() || i >= bar->value() + bar->pageStep())
        bar->setValue(int(qMax<qsizetype>(0, i - bar->pageStep() / 2)));
}

void LogView::scheduleRangeUpdate()
{
    if (m_rangeDirty)
        return;
    m_rangeDirty = true;
    QTimer::singleShot(0, this, [this] {
        if (m_rangeDirty)
            updateScrollRange();
    });
}

void LogView::updateScrollRange()
{
    m_rangeDirty = false;
    const int height = viewport()->height() - 2 * Margin;
    // The last top line is the one from which the end of the log fills the screen.
    qsizetype lastTop = m_lines.size();
    int filled = 0;
    while (lastTop > 0) {
        filled += lineHeight(lastTop - 1);
        if (filled > height)
            break;
        --lastTop;
    }
    QScrollBar *bar = verticalScrollBar();
    bar->setPageStep(qMax(1, height / QFontMetrics(font()).lineSpacing()));
    bar->setSingleStep(1);
    bar->setRange(0, int(qMin<qsizetype>(lastTop, m_lines.size() > 0 ? m_lines.size() - 1 : 0)));
}

void LogView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const int bottom = viewport()->height();
    const QColor selection = palette().color(QPalette::Highlight).lighter(170);
    qreal y = Margin;
    for (qsizetype i = verticalScrollBar()->value(); i < m_lines.size() && y < bottom; ++i) {
        const auto layout = layoutLine(i);
        const qreal h = layout->boundingRect().height();
        if (i >= m_selFirst && i <= m_selLast)
            painter.fillRect(QRectF(0, y, viewport()->width(), h), selection);
        layout->draw(&painter, QPointF(Margin, y));
        y += h;
    }
    painter.setPen(Qt::white);
    const qreal x = Margin + QFontMetricsF(font()).horizontalAdvance(QLatin1Char('M')) * RightMarginColumn;
    painter.drawLine(QLineF(x, 0, x, bottom));
}

void LogView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
    emit resized();
}

void LogView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_lines.isEmpty())
        return QAbstractScrollArea::mousePressEvent(event);
    const qsizetype line = lineAt(event->position().toPoint().y());
    if (event->modifiers().testFlag(Qt::ShiftModifier) && m_anchor >= 0)
        select(m_anchor, line);
    else
        select(line, line);
}

void LogView::mouseMoveEvent(QMouseEvent *event)
{
    if (!event->buttons().testFlag(Qt::LeftButton) || m_anchor < 0)
        return QAbstractScrollArea::mouseMoveEvent(event);
    QScrollBar *bar = verticalScrollBar();
    const int y = event->position().toPoint().y();
    if (y < 0)
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (y > viewport()->height())
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    select(m_anchor, lineAt(y));
}

void LogView::keyPressEvent(QKeyEvent *event)
{
    QScrollBar *bar = verticalScrollBar();
    if (event->matches(QKeySequence::Copy))
        copy();
    else if (event->matches(QKeySequence::SelectAll))
        selectAll();
    else if (event->key() == Qt::Key_Home && event->modifiers().testFlag(Qt::ControlModifier))
        bar->triggerAction(QAbstractSlider::SliderToMinimum);
    else if (event->key() == Qt::Key_End && event->modifiers().testFlag(Qt::ControlModifier))
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
    else if (event->key() == Qt::Key_Up)
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (event->key() == Qt::Key_Down)
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    else if (event->key() == Qt::Key_PageUp)
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    else if (event->key() == Qt::Key_PageDown)
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    else
        QAbstractScrollArea::keyPressEvent(event);
}
