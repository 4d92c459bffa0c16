#include "TSingleParam.h"

#include "ConfigLog.h"
#include "link/Commands.h"

#include <QtEndian>

#include <cmath>
#include <cstring>

TSingleParam::TSingleParam(ParamRegistry &registry, quint8 SetCode, quint8 GetCode, XmlStore *Store, QString Section, QString Key)
    : TNAVParam(registry, SetCode, GetCode, Store, std::move(Section), std::move(Key))
{
    LoadFromStore();
}

QString TSingleParam::FormatFloat(float x)
{
    if (!std::isfinite(x))
        return QStringLiteral("0");
    return QString::number(static_cast<double>(x), 'g', 15);
}

void TSingleParam::SaveToStore()
{
    writeText({}, FormatFloat(FloatValue));
}

void TSingleParam::LoadFromStore()
{
    Synced = false;
    bool ok = false;
    const float x = readText({}, QStringLiteral("0")).trimmed().toFloat(&ok);
    FloatValue = ok && std::isfinite(x) ? x : 0.0f;
}

void TSingleParam::Decode(const TBuf &reply)
{
    FloatValue = 0.0f;
    if (reply.size() >= 4) {
        const quint32 bits = qFromLittleEndian<quint32>(reply.constData());
        std::memcpy(&FloatValue, &bits, sizeof FloatValue);
    }
    if (!std::isfinite(FloatValue)) {
        // No cell can show it and no write could send it back meaningfully.
        qCWarning(lcConfig) << "parameter" << GetCode << "read a value that is not a number; taken as 0";
        FloatValue = 0.0f;
    }
    Value = FormatFloat(FloatValue).toLatin1();
}

TBuf TSingleParam::Encode() const
{
    quint32 bits = 0;
    std::memcpy(&bits, &FloatValue, sizeof bits);
    TBuf payload(4, '\0');
    qToLittleEndian(bits, payload.data());
    return Commands::writeParam(SetCode, payload);
}

float TSingleParam::ReadFloat()
{
    Synced = true;
    Decode(transact(BuildReadRequest()));
    return FloatValue;
}

void TSingleParam::WriteFloat(float x)
{
    if (x == FloatValue && Synced)
        return;
    FloatValue = x;
    transact(Encode());
}
