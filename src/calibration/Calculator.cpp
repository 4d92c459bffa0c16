#include "Calculator.h"

#include <cmath>

void Calculator::start(double value)
{
    clear();
    m_entry = QString::number(value, 'g', 15);
}

void Calculator::digit(int d)
{
    if (m_failed)
        return;
    if (m_fresh || m_entry == QLatin1String("0"))
        m_entry.clear();
    m_entry += QChar(u'0' + d);
    m_fresh = false;
}

void Calculator::point()
{
    if (m_failed)
        return;
    if (m_fresh)
        m_entry = QStringLiteral("0");
    if (!m_entry.contains(u'.'))
        m_entry += u'.';
    m_fresh = false;
}

void Calculator::apply()
{
    const double entry = m_entry.toDouble();
    if (m_pending.isNull()) {
        m_accumulator = entry;
    } else if (m_pending == u'/' && entry == 0) {
        m_failed = true;
        return;
    } else {
        switch (m_pending.unicode()) {
        case u'+': m_accumulator += entry; break;
        case u'-': m_accumulator -= entry; break;
        case u'*': m_accumulator *= entry; break;
        default: m_accumulator /= entry; break;
        }
    }
    m_entry = QString::number(m_accumulator, 'g', 15);
}

void Calculator::op(QChar o)
{
    if (m_failed)
        return;
    // Pressing operators in a row only changes the pending one.
    if (!m_fresh || m_pending.isNull())
        apply();
    m_pending = o;
    m_fresh = true;
}

void Calculator::equals()
{
    if (m_failed)
        return;
    apply();
    m_pending = QChar();
    m_fresh = true;
}

void Calculator::backspace()
{
    if (m_failed || m_fresh)
        return;
    m_entry.chop(1);
    if (m_entry.isEmpty() || m_entry == QLatin1String("-"))
        m_entry = QStringLiteral("0");
}

void Calculator::clear()
{
    m_entry = QStringLiteral("0");
    m_accumulator = 0;
    m_pending = QChar();
    m_fresh = true;
    m_failed = false;
}

QString Calculator::display() const
{
    return m_failed ? QStringLiteral("Ошибка") : m_entry;
}

double Calculator::value() const
{
    return m_failed ? std::nan("") : m_entry.toDouble();
}
