#pragma once

#include "TStringParam.h"

// An IPv4 address: four bytes on the wire, dotted decimal as the value.
class TIPAddr : public TStringParam
{
public:
    using TStringParam::TStringParam;

    void Decode(const TBuf &reply) override;
    TBuf Encode() const override;

    // Raises ParamError for a part that is not a number 0..255 or a fifth part.
    static TBuf DottedQuadToBytes(const TBuf &text);
};
