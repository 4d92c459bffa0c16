#include "LongTimeText.h"

#include <QLocale>

namespace {
// Drops the time-zone fields ("t", "tt", ...) and the blanks before them,
// leaving quoted literal text alone.
QString withoutZone(const QString &format)
{
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't') {
            while (out.endsWith(u' '))
                out.chop(1);
            while (i + 1 < format.size() && format.at(i + 1) == u't')
                ++i;
            continue;
        }
        out.append(c);
    }
    return out.trimmed();
}
} // namespace

QString LongTimeText(const QTime &time)
{
    const QLocale locale = QLocale::system();
    return locale.toString(time, withoutZone(locale.timeFormat(QLocale::LongFormat)));
}
