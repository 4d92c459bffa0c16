#include "TPropParam.h"

#include "link/Commands.h"

namespace {
constexpr quint8 BitSms = 0x01;
constexpr quint8 BitGprs = 0x02;
constexpr quint8 BitSmsOwner = 0x08;
constexpr quint8 BitValid = 0x80;
} // namespace

TPropParam::TPropParam(ParamRegistry &registry, quint8 SetCode, quint8 GetCode, XmlStore *Store, QString Section, QString Key)
    : TCustomNAVParam(registry, SetCode, GetCode, Store, std::move(Section), std::move(Key))
{
    LoadFromStore();
}

void TPropParam::SaveToStore()
{
    writeBool(QStringLiteral("_sms"), Sms);
    writeBool(QStringLiteral("_gprs"), Gprs);
    writeBool(QStringLiteral("_sms_owner"), SmsOwner);
}

void TPropParam::LoadFromStore()
{
    Sms = readBool(QStringLiteral("_sms"));
    Gprs = readBool(QStringLiteral("_gprs"));
    SmsOwner = readBool(QStringLiteral("_sms_owner"));
}

void TPropParam::ReadFromDevice()
{
    const TBuf reply = transact(Commands::readParam(GetCode));
    if (reply.isEmpty())
        return;
    FlagsByte = static_cast<quint8>(reply.at(0));
    const bool valid = FlagsByte & BitValid;
    Sms = valid && (FlagsByte & BitSms);
    Gprs = valid && (FlagsByte & BitGprs);
    SmsOwner = valid && (FlagsByte & BitSmsOwner);
}

void TPropParam::SetSms(bool b)
{
    Sms = b;
    UpdateFlagsByte();
}

void TPropParam::SetGprs(bool b)
{
    Gprs = b;
    UpdateFlagsByte();
}

void TPropParam::SetSmsOwner(bool b)
{
    SmsOwner = b;
    UpdateFlagsByte();
}

void TPropParam::UpdateFlagsByte()
{
    FlagsByte
        = (Sms || Gprs || SmsOwner ? BitValid : 0) | (Sms ? BitSms : 0) | (Gprs ? BitGprs : 0) | (SmsOwner ? BitSmsOwner : 0);
}

void TPropParam::WriteToDevice()
{
    transact(Commands::writeParam(SetCode, TBuf(1, static_cast<char>(FlagsByte))));
}
