#include "TTimerParam.h"

#include "ParamError.h"
#include "Win1251.h"
#include "link/Commands.h"

#include <QRegularExpression>
#include <QtEndian>

TTimerParam::TTimerParam(ParamRegistry &registry, quint8 SetCode, quint8 GetCode, XmlStore *Store, QString Section, QString Key)
    : TNAVParam(registry, SetCode, GetCode, Store, std::move(Section), std::move(Key))
{
    LoadFromStore();
}

void TTimerParam::Decode(const TBuf &reply)
{
    Value = BytesToTimerText(reply);
}

TBuf TTimerParam::Encode() const
{
    return Commands::writeParam(SetCode, TimerTextToBytes(Value));
}

TBuf TTimerParam::BytesToTimerText(const TBuf &bytes)
{
    // The terminal marks an unset interval with FF FF in the first two bytes.
    if (bytes.size() < 4 || (static_cast<quint8>(bytes.at(0)) == 0xFF && static_cast<quint8>(bytes.at(1)) == 0xFF))
        return "00/00/00/00";
    const quint32 s = qFromLittleEndian<quint32>(bytes.constData());
    const quint32 parts[] = { s / 86400, s % 86400 / 3600, s % 3600 / 60, s % 60 };
    TBuf text;
    for (quint32 part : parts) {
        if (!text.isEmpty())
            text += '/';
        if (part < 10)
            text += '0';
        text += TBuf::number(part);
    }
    return text;
}

TBuf TTimerParam::TimerTextToBytes(const TBuf &text)
{
    static const QRegularExpression digits(QStringLiteral("[0-9]+"));
    static const quint32 unit[] = { 86400, 3600, 60, 1 };
    // Windows-1251 keeps ASCII digits as they are, so Latin-1 finds the same runs.
    const QString latin = QString::fromLatin1(text);
    quint32 seconds = 0;
    int index = 0;
    for (auto it = digits.globalMatch(latin); it.hasNext(); ++index) {
        const QString run = it.next().captured();
        if (index == 4)
            throw ParamError(QStringLiteral("интервал «%1»: больше четырёх чисел").arg(Win1251::decode(text)));
        bool ok = run.size() <= 3;
        const uint n = ok ? run.toUInt(&ok) : 0;
        if (!ok || n > MaxPart)
            throw ParamError(QStringLiteral("интервал «%1»: число %2 больше %3").arg(Win1251::decode(text), run).arg(MaxPart));
        seconds += n * unit[index];
    }
    TBuf bytes(4, '\0');
    qToLittleEndian(seconds, bytes.data());
    return bytes;
}
