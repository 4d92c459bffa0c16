#pragma once

#include "TNAVParam.h"

// An unsigned 16-bit number, little-endian on the wire.
class TWordParam : public TNAVParam
{
public:
    TWordParam(ParamRegistry &registry, quint8 SetCode, quint8 GetCode, XmlStore *Store = nullptr, QString Section = {},
        QString Key = {});

    void Decode(const TBuf &reply) override;
    TBuf Encode() const override;

    void WriteWord(quint16 n) { WriteToDevice(TBuf::number(n)); }
    void SetWord(quint16 n) { SetText(TBuf::number(n)); }
};
