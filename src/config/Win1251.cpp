#include "Win1251.h"

#include "ParamError.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Win1251 {

QString decode(const TBuf &bytes)
{
    QStringDecoder decoder("windows-1251");
    return decoder.decode(bytes);
}

TBuf encode(const QString &text)
{
    // Encoding character by character finds the one that does not fit; the
    // encoder itself would only say that something failed.
    QStringEncoder encoder("windows-1251");
    TBuf out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QStringView ch = QStringView(text).mid(i, n);
        const TBuf b = encoder.encode(ch);
        // ICU may substitute instead of failing: the round trip tells for sure.
        if (encoder.hasError() || b.size() != 1 || decode(b) != ch)
            throw ParamError(QStringLiteral("символ «%1» нельзя передать в терминал (кодировка Windows-1251)").arg(ch));
        out.append(b);
        i += n - 1;
    }
    return out;
}

} // namespace Win1251
