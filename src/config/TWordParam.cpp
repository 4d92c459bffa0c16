#include "TWordParam.h"

#include "link/Commands.h"

#include <QtEndian>

TWordParam::TWordParam(ParamRegistry &registry, quint8 SetCode, quint8 GetCode, XmlStore *Store, QString Section, QString Key)
    : TNAVParam(registry, SetCode, GetCode, Store, std::move(Section), std::move(Key))
{
    LoadFromStore();
}

void TWordParam::Decode(const TBuf &reply)
{
    Value = reply.size() >= 2 ? TBuf::number(qFromLittleEndian<quint16>(reply.constData())) : TBuf("0");
}

TBuf TWordParam::Encode() const
{
    TBuf payload(2, '\0');
    qToLittleEndian(static_cast<quint16>(valueAsNumber(0xFFFF)), payload.data());
    return Commands::writeParam(SetCode, payload);
}
