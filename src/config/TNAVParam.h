#pragma once

#include "TCustomNAVParam.h"

// A value read from the terminal and written to it with one request each.
class TNAVParam : public TCustomNAVParam
{
public:
    using TCustomNAVParam::TCustomNAVParam;

    // Sets the value from the payload of a read reply (empty: no answer).
    virtual void Decode(const TBuf &reply) = 0;
    // The complete write request; raises ParamError for a value that does not fit.
    virtual TBuf Encode() const = 0;

    TBuf BuildReadRequest() const;
    TBuf ReadFromDevice();
    TBuf GetText() const { return Value; }
    void SetText(const TBuf &text) { Value = text; }
    // Sends only a changed value, or any value not read from the terminal since
    // the last load. A value that cannot be encoded raises ParamError and is
    // neither sent nor kept.
    void WriteToDevice(const TBuf &text);
    quint16 ReadWord();
    quint16 GetWord() const;

protected:
    // Value as a whole number within [0, max]; raises ParamError otherwise.
    quint64 valueAsNumber(quint64 max) const;
};
