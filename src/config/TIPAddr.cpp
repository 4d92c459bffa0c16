#include "TIPAddr.h"

#include "ParamError.h"
#include "Win1251.h"
#include "link/Commands.h"

void TIPAddr::Decode(const TBuf &reply)
{
    Value = BytesToDottedQuad(reply);
}

TBuf TIPAddr::Encode() const
{
    return Commands::writeParam(SetCode, DottedQuadToBytes(Value));
}

namespace {
quint8 addressPart(const TBuf &part, const TBuf &text)
{
    bool ok = part.size() <= 3;
    for (char c : part)
        ok = ok && c >= '0' && c <= '9';
    const uint n = ok ? part.toUInt(&ok) : 0;
    if (!ok || n > 255)
        throw ParamError(
            QStringLiteral("адрес «%1»: часть «%2» не число от 0 до 255").arg(Win1251::decode(text), Win1251::decode(part)));
    return static_cast<quint8>(n);
}
} // namespace

TBuf TIPAddr::DottedQuadToBytes(const TBuf &text)
{
    TBuf bytes(4, '\0');
    int i = 0;
    TBuf number;
    for (char c : text) {
        if (c != '.') {
            number += c;
            continue;
        }
        if (number.isEmpty())
            continue; // "1..2" reads as "1.2"
        if (i == 4)
            throw ParamError(QStringLiteral("адрес «%1»: больше четырёх частей").arg(Win1251::decode(text)));
        bytes[i++] = static_cast<char>(addressPart(number, text));
        number.clear();
    }
    if (number.isEmpty())
        return bytes;
    if (i == 4)
        throw ParamError(QStringLiteral("адрес «%1»: больше четырёх частей").arg(Win1251::decode(text)));
    // A trailing part after fewer than three dots is dropped, as the terminal
    // expects ("1.2.3" is 1.2.0.0), but it must still be a number.
    const quint8 last = addressPart(number, text);
    if (i == 3)
        bytes[3] = static_cast<char>(last);
    return bytes;
}
