#pragma once

#include "TNAVParam.h"

// An unsigned 32-bit number, little-endian on the wire. The whole unsigned
// range passes both ways: a distance the terminal reports is never refused.
class TDWordParam : public TNAVParam
{
public:
    TDWordParam(ParamRegistry &registry, quint8 SetCode, quint8 GetCode, XmlStore *Store = nullptr, QString Section = {},
        QString Key = {});

    void Decode(const TBuf &reply) override;
    TBuf Encode() const override;

    quint32 ReadDWord();
    quint32 GetDWord() const;
    void WriteDWord(quint32 n) { WriteToDevice(TBuf::number(n)); }
    void SetDWord(quint32 n) { SetText(TBuf::number(n)); }
};
