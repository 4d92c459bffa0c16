#include "TerminalView.h"

#include "link/Port.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStringEncoder>

#include <vterm.h>

#include <algorithm>

struct TerminalViewCallbacks
{
    static int damage(VTermRect, void *user)
    {
        static_cast<TerminalView *>(user)->viewport()->update();
        return 1;
    }
    static int moveCursor(VTermPos pos, VTermPos, int, void *user)
    {
        auto *view = static_cast<TerminalView *>(user);
        view->m_cursor = QPoint(pos.col, pos.row);
        view->viewport()->update();
        return 1;
    }
    static int pushLine(int cols, const VTermScreenCell *cells, void *user)
    {
        auto *view = static_cast<TerminalView *>(user);
        QString line;
        for (int c = 0; c < cols; ++c) {
            if (cells[c].width == 0)
                continue;
            line += cells[c].chars[0] ? QString::fromUcs4(reinterpret_cast<const char32_t *>(cells[c].chars), 1)
                                      : QStringLiteral(" ");
        }
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        view->m_scrollback.push_back(line);
        if (static_cast<int>(view->m_scrollback.size()) > view->m_options.scrollback) {
            view->m_scrollback.pop_front();
            // Keep a selection on the same text while old lines drop out.
            view->m_selStart.ry() -= 1;
            view->m_selEnd.ry() -= 1;
        }
        return 1;
    }
    static int popLine(int cols, VTermScreenCell *cells, void *user)
    {
        auto *view = static_cast<TerminalView *>(user);
        if (view->m_scrollback.empty())
            return 0;
        const QString line = view->m_scrollback.back();
        view->m_scrollback.pop_back();
        for (int c = 0; c < cols; ++c) {
            VTermScreenCell &cell = cells[c];
            cell = VTermScreenCell{};
            cell.width = 1;
            cell.chars[0] = c < line.size() ? line.at(c).unicode() : 0;
            vterm_color_indexed(&cell.fg, 7);
            vterm_color_indexed(&cell.bg, 0);
        }
        return 1;
    }
    static void output(const char *s, size_t len, void *user)
    {
        static_cast<TerminalView *>(user)->send(QByteArray(s, static_cast<qsizetype>(len)));
    }
};

namespace {
const VTermScreenCallbacks screenCallbacks = {
    TerminalViewCallbacks::damage,
    nullptr,
    TerminalViewCallbacks::moveCursor,
    nullptr,
    nullptr,
    nullptr,
    TerminalViewCallbacks::pushLine,
    TerminalViewCallbacks::popLine,
};

VTermKey vtermKey(int key)
{
    switch (key) {
    case Qt::Key_Tab: return VTERM_KEY_TAB;
    case Qt::Key_Escape: return VTERM_KEY_ESCAPE;
    case Qt::Key_Up: return VTERM_KEY_UP;
    case Qt::Key_Down: return VTERM_KEY_DOWN;
    case Qt::Key_Left: return VTERM_KEY_LEFT;
    case Qt::Key_Right: return VTERM_KEY_RIGHT;
    case Qt::Key_Insert: return VTERM_KEY_INS;
    case Qt::Key_Delete: return VTERM_KEY_DEL;
    case Qt::Key_Home: return VTERM_KEY_HOME;
    case Qt::Key_End: return VTERM_KEY_END;
    case Qt::Key_PageUp: return VTERM_KEY_PAGEUP;
    case Qt::Key_PageDown: return VTERM_KEY_PAGEDOWN;
    default:
        if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
            return static_cast<VTermKey>(VTERM_KEY_FUNCTION(key - Qt::Key_F1 + 1));
        return VTERM_KEY_NONE;
    }
}

VTermModifier vtermModifiers(Qt::KeyboardModifiers m)
{
    int mod = VTERM_MOD_NONE;
    if (m & Qt::ShiftModifier)
        mod |= VTERM_MOD_SHIFT;
    if (m & Qt::AltModifier)
        mod |= VTERM_MOD_ALT;
    if (m & Qt::ControlModifier)
        mod |= VTERM_MOD_CTRL;
    return static_cast<VTermModifier>(mod);
}

bool before(const QPoint &a, const QPoint &b)
{
    return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x();
}
} // namespace

TerminalView::TerminalView(const Options &options, QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_options(options)
{
    m_options.scrollback = std::max(m_options.scrollback, 1);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(10);
    setFont(font);
    const QFontMetrics fm(font);
    m_charWidth = std::max(1, fm.horizontalAdvance(QLatin1Char('M')));
    m_lineHeight = std::max(1, fm.height());
    m_ascent = fm.ascent();

    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::Text, Qt::white);
    viewport()->setPalette(pal);
    viewport()->setAutoFillBackground(true);
    viewport()->setCursor(Qt::IBeamCursor);
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    const int rows = m_options.rows > 0 ? m_options.rows : 24;
    m_vt = vterm_new(rows, m_options.columns);
    vterm_set_utf8(m_vt, 1);
    vterm_output_set_callback(m_vt, TerminalViewCallbacks::output, this);
    m_screen = vterm_obtain_screen(m_vt);
    vterm_screen_set_callbacks(m_screen, &screenCallbacks, this);
    vterm_screen_set_damage_merge(m_screen, VTERM_DAMAGE_SCROLL);
    reset();
    updateScrollBars();
}

TerminalView::~TerminalView()
{
    if (m_port && m_port->sink() == this)
        m_port->detachSink();
    vterm_free(m_vt);
}

void TerminalView::reset()
{
    vterm_screen_reset(m_screen, 1);
    // Without wrapping, a long line keeps overwriting its last column, as a
    // hardware terminal with auto-wrap off does.
    if (!m_options.wrap) {
        static const char noWrap[] = "\x1b[?7l";
        vterm_input_write(m_vt, noWrap, sizeof noWrap - 1);
    }
}

int TerminalView::rows() const
{
    int rows = 0;
    int cols = 0;
    vterm_get_size(m_vt, &rows, &cols);
    return rows;
}

int TerminalView::columns() const
{
    int rows = 0;
    int cols = 0;
    vterm_get_size(m_vt, &rows, &cols);
    return cols;
}

void TerminalView::portBytes(const QByteArray &bytes)
{
    QScrollBar *bar = verticalScrollBar();
    const bool following = bar->value() >= bar->maximum();
    // Windows-1251 on the line, UTF-8 for libvterm; escape sequences are ASCII
    // and pass unchanged.
    const QByteArray utf8 = QString(m_decoder.decode(bytes)).toUtf8();
    vterm_input_write(m_vt, utf8.constData(), static_cast<size_t>(utf8.size()));
    vterm_screen_flush_damage(m_screen);
    updateScrollBars();
    if (following)
        bar->setValue(bar->maximum());
    emit bytesShown(bytes);
}

QString TerminalView::screenLine(int row) const
{
    QString line;
    const int cols = columns();
    line.reserve(cols);
    for (int c = 0; c < cols; ++c) {
        VTermScreenCell cell;
        if (!vterm_screen_get_cell(m_screen, VTermPos{row, c}, &cell) || cell.width == 0)
            continue;
        if (cell.chars[0] == 0)
            line += QLatin1Char(' ');
        else
            line += QString::fromUcs4(reinterpret_cast<const char32_t *>(cell.chars), 1);
    }
    return line;
}

QString TerminalView::lineText(int line) const
{
    const int sb = scrollbackLines();
    if (line < 0)
        return {};
    if (line < sb)
        return m_scrollback[static_cast<size_t>(line)];
    QString text = screenLine(line - sb);
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

QStringList TerminalView::lines() const
{
    QStringList all;
    for (int i = 0; i < totalLines(); ++i)
        all << lineText(i);
    return all;
}

int TerminalView::visibleLines() const
{
    return std::max(1, viewport()->height() / m_lineHeight);
}

void TerminalView::fitRows()
{
    if (m_options.rows > 0)
        return;
    const int wanted = visibleLines();
    if (wanted != rows())
        vterm_set_size(m_vt, wanted, m_options.columns);
}

void TerminalView::updateScrollBars()
{
    QScrollBar *v = verticalScrollBar();
    v->setRange(0, std::max(0, totalLines() - visibleLines()));
    v->setPageStep(visibleLines());
    QScrollBar *h = horizontalScrollBar();
    h->setRange(0, std::max(0, columns() * m_charWidth - viewport()->width()));
    h->setPageStep(viewport()->width());
    h->setSingleStep(m_charWidth);
}

void TerminalView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    QScrollBar *bar = verticalScrollBar();
    const bool following = bar->value() >= bar->maximum();
    fitRows();
    updateScrollBars();
    if (following)
        bar->setValue(bar->maximum());
}

void TerminalView::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), Qt::black);
    p.setFont(font());
    const int first = verticalScrollBar()->value();
    const int x0 = -horizontalScrollBar()->value();
    const int sb = scrollbackLines();
    const bool selecting = m_selStart.y() >= 0 && m_selStart != m_selEnd;
    const QPoint selA = before(m_selStart, m_selEnd) ? m_selStart : m_selEnd;
    const QPoint selB = before(m_selStart, m_selEnd) ? m_selEnd : m_selStart;
    for (int i = 0; i <= visibleLines(); ++i) {
        const int line = first + i;
        if (line >= totalLines())
            break;
        const int y = i * m_lineHeight;
        const QString text = lineText(line);
        if (selecting && line >= selA.y() && line <= selB.y()) {
            const int from = line == selA.y() ? selA.x() : 0;
            const int to = line == selB.y() ? selB.x() : columns();
            p.fillRect(x0 + from * m_charWidth, y, (to - from) * m_charWidth, m_lineHeight, QColor(90, 90, 160));
        }
        p.setPen(Qt::white);
        p.drawText(x0, y + m_ascent, text);
        if (hasFocus() && line == sb + m_cursor.y())
            p.fillRect(x0 + m_cursor.x() * m_charWidth, y + m_lineHeight - 3, m_charWidth, 2, Qt::white);
    }
}

QPoint TerminalView::cellAt(const QPoint &pos) const
{
    const int col = std::clamp((pos.x() + horizontalScrollBar()->value()) / m_charWidth, 0, columns());
    const int line = std::clamp(pos.y() / m_lineHeight + verticalScrollBar()->value(), 0, totalLines() - 1);
    return {col, line};
}

void TerminalView::mousePressEvent(QMouseEvent *event)
{
    setFocus();
    if (event->button() == Qt::LeftButton) {
        m_selStart = m_selEnd = cellAt(event->position().toPoint());
        viewport()->update();
    }
}

void TerminalView::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton) {
        m_selEnd = cellAt(event->position().toPoint());
        viewport()->update();
    }
}

QString TerminalView::selectedText() const
{
    if (m_selStart.y() < 0 || m_selStart == m_selEnd)
        return {};
    const QPoint a = before(m_selStart, m_selEnd) ? m_selStart : m_selEnd;
    const QPoint b = before(m_selStart, m_selEnd) ? m_selEnd : m_selStart;
    QStringList out;
    for (int line = std::max(0, a.y()); line <= b.y() && line < totalLines(); ++line) {
        const QString text = lineText(line);
        const int from = line == a.y() ? a.x() : 0;
        const int to = line == b.y() ? b.x() : static_cast<int>(text.size());
        out << text.mid(from, std::max(0, to - from));
    }
    return out.join(QLatin1Char('\n'));
}

void TerminalView::copy()
{
    const QString text = selectedText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void TerminalView::paste()
{
    QString text = QApplication::clipboard()->text();
    text.replace(QLatin1String("\r\n"), QLatin1String("\r")).replace(QLatin1Char('\n'), QLatin1Char('\r'));
    QStringEncoder encoder("windows-1251");
    QByteArray bytes = encoder.encode(text);
    // A character Windows-1251 cannot hold is not sent as a "?" in its place.
    if (encoder.hasError())
        return;
    send(bytes);
}

void TerminalView::send(const QByteArray &bytes)
{
    if (bytes.isEmpty() || !m_port || m_port->sink() != this || !m_port->isOpen())
        return;
    m_port->transmit(bytes);
}

bool TerminalView::focusNextPrevChild(bool)
{
    return false; // Tab belongs to the terminal
}

void TerminalView::keyPressEvent(QKeyEvent *event)
{
    const auto mods = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    if (mods == (Qt::ControlModifier | Qt::ShiftModifier)) {
        if (event->key() == Qt::Key_C) {
            copy();
            return;
        }
        if (event->key() == Qt::Key_V) {
            paste();
            return;
        }
    }
    // Modems end a command with CR and erase with BS.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        send(QByteArrayLiteral("\r"));
        return;
    }
    if (event->key() == Qt::Key_Backspace) {
        send(QByteArrayLiteral("\b"));
        return;
    }
    const VTermKey key = vtermKey(event->key());
    if (key != VTERM_KEY_NONE) {
        vterm_keyboard_key(m_vt, key, vtermModifiers(event->modifiers()));
        return;
    }
    const QString text = event->text();
    if (text.isEmpty()) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    QStringEncoder encoder("windows-1251");
    const QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError())
        send(bytes);
}
