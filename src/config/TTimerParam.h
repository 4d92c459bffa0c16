#pragma once

#include "TNAVParam.h"

// A time interval: seconds on the wire, DD/HH/MM/SS as the value.
class TTimerParam : public TNAVParam
{
public:
    static constexpr int MaxPart = 255;

    TTimerParam(ParamRegistry &registry, quint8 SetCode, quint8 GetCode, XmlStore *Store = nullptr, QString Section = {},
        QString Key = {});

    void Decode(const TBuf &reply) override;
    TBuf Encode() const override;

    static TBuf BytesToTimerText(const TBuf &bytes);
    // Raises ParamError for a part above 255 or more than four parts.
    static TBuf TimerTextToBytes(const TBuf &text);
};
