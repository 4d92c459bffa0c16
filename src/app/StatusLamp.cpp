#include "StatusLamp.h"

#include <QPainter>

namespace {
constexpr int BlinkMs = 60;
}

StatusLamp::StatusLamp(const QColor &color, const QString &text, QWidget *parent)
    : QWidget(parent)
    , m_color(color)
    , m_text(text)
{
    setFixedSize(16, 16);
    m_off.setSingleShot(true);
    m_off.setInterval(BlinkMs);
    connect(&m_off, &QTimer::timeout, this, [this] { setLit(false); });
}

void StatusLamp::setLit(bool lit)
{
    if (lit == m_lit)
        return;
    m_lit = lit;
    update();
}

void StatusLamp::blink()
{
    setLit(true);
    m_off.start();
}

void StatusLamp::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!m_text.isEmpty()) {
        QFont f = font();
        f.setPixelSize(7);
        p.setFont(f);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(rect(), Qt::AlignCenter, m_text);
    }
    const QColor fill = m_lit ? m_color : m_color.darker(300);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(m_lit ? fill : QColor(fill.red(), fill.green(), fill.blue(), m_text.isEmpty() ? 255 : 90));
    p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
}
