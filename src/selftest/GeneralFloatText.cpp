#include "GeneralFloatText.h"

#include <cmath>
#include <cstdio>

namespace {
constexpr int Digits = 15;
constexpr int LowestFixedExponent = -5;
} // namespace

QString GeneralFloatText(long double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0)
        return QStringLiteral("0");

    // "-d.dddddddddddddde+XX": the rounded digits and the decimal exponent.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*Le", Digits - 1, value);
    const QString text = QString::fromLatin1(buf);
    const qsizetype e = text.indexOf(u'e');
    const bool negative = text.startsWith(u'-');
    QString digits = text.mid(negative ? 1 : 0, e - (negative ? 1 : 0)).remove(u'.');
    const int exponent = text.mid(e + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);

    QString out = negative ? QStringLiteral("-") : QString();
    if (exponent < LowestFixedExponent || exponent >= Digits) {
        out += digits.left(1);
        if (digits.size() > 1)
            out += u'.' + digits.mid(1);
        return out + u'E' + QString::number(exponent);
    }
    if (exponent < 0)
        return out + QStringLiteral("0.") + QString(-exponent - 1, u'0') + digits;
    const int whole = exponent + 1;
    if (digits.size() <= whole)
        return out + digits + QString(whole - digits.size(), u'0');
    return out + digits.left(whole) + u'.' + digits.mid(whole);
}
