#pragma once

#include "TCustomNAVParam.h"

// Three notification flags of one event packed in a byte: bit 0 SMS, bit 1
// GPRS, bit 3 SMS to the owner, bit 7 "flags valid".
class TPropParam : public TCustomNAVParam
{
public:
    TPropParam(ParamRegistry &registry, quint8 SetCode, quint8 GetCode, XmlStore *Store = nullptr, QString Section = {},
        QString Key = {});

    void SaveToStore() override;
    void LoadFromStore() override;

    void ReadFromDevice();
    void SetSms(bool b);
    void SetGprs(bool b);
    void SetSmsOwner(bool b);
    void UpdateFlagsByte();
    // Always sent: the terminal keeps no "unchanged" state for flags.
    void WriteToDevice();

    bool Sms = false;
    bool Gprs = false;
    bool SmsOwner = false;
    quint8 FlagsByte = 0;
};
