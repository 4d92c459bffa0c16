#include "GridSpinBox.h"

#include <algorithm>

GridSpinBox::GridSpinBox(double minimum, double maximum, int decimals, QWidget *parent)
    : QDoubleSpinBox(parent)
    , m_minimum(minimum)
    , m_maximum(maximum)
{
    setDecimals(decimals);
    setRange(minimum, maximum);
    setKeyboardTracking(false);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setFrame(false);
    setLocale(QLocale::c());
}

void GridSpinBox::showValue(double value)
{
    // Widening the range lets the spin box hold a value its limits forbid;
    // QDoubleSpinBox would otherwise clamp what the terminal reported.
    setRange(std::min(m_minimum, value), std::max(m_maximum, value));
    setValue(value);
}

double GridSpinBox::enteredValue() const
{
    return std::clamp(value(), m_minimum, m_maximum);
}

QString GridSpinBox::textFromValue(double value) const
{
    QString text = QString::number(value, 'f', decimals());
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}
