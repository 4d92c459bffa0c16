#include "LogLine.h"

#include "MessageCatalogue.h"

#include <QStringDecoder>

#include <array>

namespace {
// The terminal's data characters are Windows-1251, one byte each; decoding
// through a table keeps a record cheap when the log runs at full speed.
const std::array<QChar, 256> &cp1251Table()
{
    static const std::array<QChar, 256> table = [] {
        std::array<QChar, 256> t{};
        QByteArray all(256, '\0');
        for (int i = 0; i < 256; ++i)
            all[i] = static_cast<char>(i);
        const QString decoded = QStringDecoder("windows-1251").decode(all);
        for (int i = 0; i < 256; ++i)
            t[static_cast<size_t>(i)] = i < decoded.size() ? decoded.at(i) : QChar(QChar::ReplacementCharacter);
        return t;
    }();
    return table;
}
} // namespace

namespace LogLine {

std::optional<QString> format(const TBuf &payload, const MessageCatalogue &messages)
{
    if (payload.size() < 2)
        return std::nullopt;
    const int number = static_cast<quint8>(payload[0]) + 256 * static_cast<quint8>(payload[1]);
    if (number >= messages.MessageCount || number >= messages.MessageStrings.size())
        return std::nullopt;
    const QString &text = messages.MessageStrings[number].Text;
    QString line;
    line.reserve(text.size() + payload.size() - 2);
    line += text;
    const auto &table = cp1251Table();
    for (qsizetype i = 2; i < payload.size(); ++i) {
        const auto b = static_cast<quint8>(payload[i]);
        if (b == '\r')
            continue;
        line += b == '\n' ? QChar(u' ') : table[b];
    }
    return line;
}

bool isRestartMarker(const QString &line)
{
    return line == QLatin1String("CLEAR");
}

} // namespace LogLine
