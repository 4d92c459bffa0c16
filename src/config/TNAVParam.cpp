#include "TNAVParam.h"

#include "ParamError.h"
#include "Win1251.h"
#include "link/Commands.h"

TBuf TNAVParam::BuildReadRequest() const
{
    return Commands::readParam(GetCode);
}

TBuf TNAVParam::ReadFromDevice()
{
    Synced = true;
    Decode(transact(BuildReadRequest()));
    return Value;
}

void TNAVParam::WriteToDevice(const TBuf &text)
{
    if (text == Value && Synced)
        return;
    const TBuf previous = Value;
    Value = text;
    TBuf request;
    try {
        request = Encode();
    } catch (const ParamError &) {
        Value = previous;
        throw;
    }
    transact(request);
}

quint16 TNAVParam::ReadWord()
{
    ReadFromDevice();
    if (ReadFromDevice().trimmed().isEmpty())
        Value = "0";
    return GetWord();
}

quint16 TNAVParam::GetWord() const
{
    // Only a number that fits is a word; anything else reads as 0 rather than
    // a wrapped value.
    bool ok = false;
    const uint n = Value.trimmed().toUInt(&ok);
    return ok && n <= 0xFFFF ? static_cast<quint16>(n) : 0;
}

quint64 TNAVParam::valueAsNumber(quint64 max) const
{
    const TBuf text = Value.trimmed();
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const qulonglong n = text.toULongLong(&ok);
    if (!ok || n > max)
        throw ParamError(QStringLiteral("«%1» не число от 0 до %2").arg(Win1251::decode(Value)).arg(max));
    return n;
}
