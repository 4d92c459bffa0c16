// Arbitrary bytes as a message header and as log records: the header parser
// and the log-line formatter must never crash, and a log line never carries
// a line break of its own.
#include "log/LogLine.h"
#include "log/MessageCatalogue.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    // The first two bytes say how much of the rest is the header.
    const size_t headerSize = std::min<size_t>(size_t(data[0]) | size_t(data[1]) << 8, size - 2);
    const QByteArray bytes(reinterpret_cast<const char *>(data + 2), static_cast<qsizetype>(size - 2));
    MessageCatalogue messages;
    messages.LoadText(bytes.left(static_cast<qsizetype>(headerSize)));
    if (messages.MessageCount != messages.MessageStrings.size())
        __builtin_trap();

    // The rest: records of a length byte and that many payload bytes.
    const QByteArray records = bytes.mid(static_cast<qsizetype>(headerSize));
    for (qsizetype at = 0; at < records.size();) {
        const qsizetype len = std::min<qsizetype>(quint8(records[at]), records.size() - at - 1);
        const TBuf payload = records.mid(at + 1, len);
        if (const auto line = LogLine::format(payload, messages)) {
            if (line->contains(QLatin1Char('\r')) || line->contains(QLatin1Char('\n')))
                __builtin_trap();
            LogLine::isRestartMarker(*line);
        }
        at += 1 + len;
    }
    return 0;
}
