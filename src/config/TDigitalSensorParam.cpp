#include "TDigitalSensorParam.h"

#include "link/Commands.h"

TDigitalSensorParam::TDigitalSensorParam(
    ParamRegistry &registry, quint8 SetCode, quint8 GetCode, XmlStore *Store, QString Section, QString Key)
    : TCustomNAVParam(registry, SetCode, GetCode, Store, std::move(Section), std::move(Key))
{
    LoadFromStore();
}

namespace {
using D = TDigitalSensorParam;
constexpr bool D::*States[D::InputCount] = { &D::DS1, &D::DS2, &D::DS3, &D::DS4 };
constexpr QString D::*Names[D::InputCount] = { &D::Name1, &D::Name2, &D::Name3, &D::Name4 };
bool valid(int i)
{
    return i >= 0 && i < D::InputCount;
}
} // namespace

bool TDigitalSensorParam::state(int i) const
{
    return valid(i) && this->*States[i];
}

QString TDigitalSensorParam::name(int i) const
{
    return valid(i) ? this->*Names[i] : QString();
}

void TDigitalSensorParam::SaveToStore()
{
    for (int i = 0; i < InputCount; ++i) {
        const QString input = QStringLiteral("_DS%1").arg(i + 1);
        writeBool(input, state(i));
        writeText(input + QStringLiteral("Name"), name(i));
    }
}

void TDigitalSensorParam::LoadFromStore()
{
    for (int i = 0; i < InputCount; ++i) {
        const QString input = QStringLiteral("_DS%1").arg(i + 1);
        this->*States[i] = readBool(input);
        this->*Names[i] = readText(input + QStringLiteral("Name"), QStringLiteral("Датчик %1").arg(i + 1));
    }
}

void TDigitalSensorParam::ReadFromDevice()
{
    const TBuf reply = transact(Commands::readParam(GetCode));
    if (reply.isEmpty())
        return;
    StateByte = static_cast<quint8>(reply.at(0));
    for (int i = 0; i < InputCount; ++i)
        this->*States[i] = StateByte & (1 << i);
}

void TDigitalSensorParam::SetState(int i, bool b)
{
    if (valid(i))
        this->*States[i] = b;
    StateByte = 0;
    for (int k = 0; k < InputCount; ++k)
        StateByte |= state(k) ? (1 << k) : 0;
}

void TDigitalSensorParam::SetName(int i, const QString &text)
{
    if (valid(i))
        this->*Names[i] = text;
}

void TDigitalSensorParam::WriteToDevice()
{
    transact(Commands::writeParam(SetCode, TBuf(1, static_cast<char>(StateByte))));
}
