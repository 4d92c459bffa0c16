#include "IdentityText.h"

QString DecodeCCID(const QString &text)
{
    constexpr int Swapped = 20;
    if (text.size() < Swapped)
        return {};
    QString swapped = text;
    for (int i = 0; i < Swapped; i += 2)
        std::swap(swapped[i], swapped[i + 1]);
    QString digits;
    for (QChar c : swapped)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits += c;
    return digits;
}

QString ConvertSerialNumber(SerialDirection direction, const QString &text)
{
    if (direction == SerialDirection::ToTerminal) {
        QString out = text;
        return out.remove(QLatin1Char(' '));
    }
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        out += text.at(i);
        if (i == 0 || i == 2)
            out += QLatin1Char(' ');
    }
    return out;
}
