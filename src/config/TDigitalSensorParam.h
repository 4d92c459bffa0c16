#pragma once

#include "TCustomNAVParam.h"

#include <QString>

// Four digital input states packed in a byte (bits 0..3), and the names the
// user gave the inputs. The names live only in the settings file, never in
// the terminal, so they are kept as Unicode text.
class TDigitalSensorParam : public TCustomNAVParam
{
public:
    static constexpr int InputCount = 4;

    TDigitalSensorParam(ParamRegistry &registry, quint8 SetCode, quint8 GetCode, XmlStore *Store = nullptr, QString Section = {},
        QString Key = {});

    void SaveToStore() override;
    void LoadFromStore() override;

    void ReadFromDevice();
    void SetState(int i, bool b);
    void SetName(int i, const QString &text);
    // Always sent, like the event flags.
    void WriteToDevice();

    // Input i (0..3) by index, for code that walks the four inputs.
    bool state(int i) const;
    QString name(int i) const;

    bool DS1 = false;
    bool DS2 = false;
    bool DS3 = false;
    bool DS4 = false;
    quint8 StateByte = 0;
    QString Name1;
    QString Name2;
    QString Name3;
    QString Name4;
};
