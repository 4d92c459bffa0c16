#include "TStringParam.h"

#include "ParamError.h"
#include "link/Commands.h"

TStringParam::TStringParam(ParamRegistry &registry, quint8 SetCode, quint8 GetCode, XmlStore *Store, QString Section, QString Key)
    : TNAVParam(registry, SetCode, GetCode, Store, std::move(Section), std::move(Key))
{
    // Loaded here rather than in TNAVParam: a base constructor cannot reach the
    // loading of the class being built.
    LoadFromStore();
}

void TStringParam::Decode(const TBuf &reply)
{
    Value = reply;
}

TBuf TStringParam::Encode() const
{
    if (Value.size() > MaxLength)
        throw ParamError(QStringLiteral("текст длиной %1 байт, допустимо не более %2").arg(Value.size()).arg(MaxLength));
    return Commands::writeParam(SetCode, Value);
}

TBuf TStringParam::BytesToDottedQuad(const TBuf &bytes)
{
    if (bytes.size() != 4)
        return {};
    TBuf text;
    for (int i = 0; i < 4; ++i) {
        if (i)
            text += '.';
        text += TBuf::number(static_cast<quint8>(bytes.at(i)));
    }
    return text;
}
