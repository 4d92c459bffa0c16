#include "SingleSpinBox.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {
// Enough for any single in fixed notation without exponent.
constexpr int Decimals = 50;
// Width of what the field normally holds: factors of a few units.
const QString TypicalText = QStringLiteral("-00000.0000000");
} // namespace

SingleSpinBox::SingleSpinBox(QWidget *parent)
    : QDoubleSpinBox(parent)
{
    setLocale(QLocale::c());
    setDecimals(Decimals);
    setRange(-std::numeric_limits<float>::max(), std::numeric_limits<float>::max());
    setButtonSymbols(QAbstractSpinBox::NoButtons);
}

void SingleSpinBox::setFloat(float x)
{
    setValue(std::isfinite(x) ? double(x) : 0.0);
}

QString SingleSpinBox::textFromValue(double value) const
{
    char text[64];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, static_cast<float>(value), std::chars_format::fixed);
    if (ec != std::errc())
        return QString::number(value);
    return QString::fromLatin1(text, end - text);
}

QSize SingleSpinBox::sizeHint() const
{
    QSize hint = QDoubleSpinBox::sizeHint();
    hint.setWidth(fontMetrics().horizontalAdvance(TypicalText) + 2 * fontMetrics().averageCharWidth());
    return hint;
}

QSize SingleSpinBox::minimumSizeHint() const
{
    return sizeHint();
}
