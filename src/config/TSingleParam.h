#pragma once

#include "TNAVParam.h"

// A 32-bit IEEE-754 float. FloatValue is what travels and what is stored;
// Value is only its text after a read.
class TSingleParam : public TNAVParam
{
public:
    TSingleParam(ParamRegistry &registry, quint8 SetCode, quint8 GetCode, XmlStore *Store = nullptr, QString Section = {},
        QString Key = {});

    void SaveToStore() override;
    void LoadFromStore() override;
    void Decode(const TBuf &reply) override;
    TBuf Encode() const override;

    float ReadFloat();
    float GetFloat() const { return FloatValue; }
    void WriteFloat(float x);
    void SetFloat(float x) { FloatValue = x; }

    // Decimal text with "." and up to 15 significant digits (55.123f gives
    // 55.1230010986328), as the settings file keeps it.
    static QString FormatFloat(float x);

    float FloatValue = 0.0f;
};
