#pragma once

#include "TNAVParam.h"

// A text: every reply byte is one character, zero bytes included.
class TStringParam : public TNAVParam
{
public:
    static constexpr int MaxLength = 255; // one length byte on the wire

    TStringParam(ParamRegistry &registry, quint8 SetCode, quint8 GetCode, XmlStore *Store = nullptr, QString Section = {},
        QString Key = {});

    void Decode(const TBuf &reply) override;
    TBuf Encode() const override;

    static TBuf BytesToDottedQuad(const TBuf &bytes);
};
