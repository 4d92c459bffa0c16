#include "TDWordParam.h"

#include "link/Commands.h"

#include <QtEndian>

TDWordParam::TDWordParam(ParamRegistry &registry, quint8 SetCode, quint8 GetCode, XmlStore *Store, QString Section, QString Key)
    : TNAVParam(registry, SetCode, GetCode, Store, std::move(Section), std::move(Key))
{
    LoadFromStore();
}

void TDWordParam::Decode(const TBuf &reply)
{
    Value = reply.size() >= 4 ? TBuf::number(qFromLittleEndian<quint32>(reply.constData())) : TBuf("0");
}

TBuf TDWordParam::Encode() const
{
    TBuf payload(4, '\0');
    qToLittleEndian(static_cast<quint32>(valueAsNumber(0xFFFFFFFFu)), payload.data());
    return Commands::writeParam(SetCode, payload);
}

quint32 TDWordParam::ReadDWord()
{
    ReadFromDevice();
    if (ReadFromDevice().trimmed().isEmpty())
        Value = "0";
    return GetDWord();
}

quint32 TDWordParam::GetDWord() const
{
    bool ok = false;
    const qulonglong n = Value.trimmed().toULongLong(&ok);
    return ok && n <= 0xFFFFFFFFu ? static_cast<quint32>(n) : 0;
}
