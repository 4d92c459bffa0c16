#pragma once

#include "ParamRegistry.h"
#include "TDWordParam.h"
#include "TDigitalSensorParam.h"
#include "TIPAddr.h"
#include "TPropParam.h"
#include "TSingleParam.h"
#include "TStringParam.h"
#include "TTimerParam.h"
#include "TWordParam.h"

// The terminal's 40 parameter objects, created in this order (the order of
// ParamList, of the settings file and of the progress count). Codes come from
// the command catalogue; objects 1-33 keep their value in the section "Params"
// of the store, the identity values and the two check-only objects do not.
class TerminalParams : public ParamRegistry
{
public:
    // Each object loads its stored value while it is created; the store is
    // opened for that and closed again (a failing close is ignored).
    explicit TerminalParams(XmlStore *store, TransactFn transact = {});

    static const QString Section; // "Params"

    XmlStore *store() const { return m_store; }

private:
    XmlStore *m_store; // first: every object below reads it while it is built

    template <class T> T stored(const char *name);
    template <class T> T unstored(const char *name);

public:
    TStringParam ProgrammVersion = stored<TStringParam>("ProgrammVersion");
    TStringParam BasePhone = stored<TStringParam>("BasePhone");
    TStringParam BasePassword = stored<TStringParam>("BasePassword");
    TStringParam OwnerPhone = stored<TStringParam>("OwnerPhone");
    TStringParam OwnerPassword = stored<TStringParam>("OwnerPassword");
    TStringParam DialingPhone = stored<TStringParam>("DialingPhone");
    TIPAddr IPAddr = stored<TIPAddr>("IPAddr");
    TWordParam IPPort = stored<TWordParam>("IPPort");
    TStringParam APN = stored<TStringParam>("APN");
    TStringParam APN_Login = stored<TStringParam>("APN_Login");
    TStringParam APN_Password = stored<TStringParam>("APN_Password");
    TTimerParam Timer = stored<TTimerParam>("Timer");
    TDWordParam Distance = stored<TDWordParam>("Distance");
    TSingleParam PerimeterLatitude = stored<TSingleParam>("PerimeterLatitude");
    TSingleParam PerimeterLongitude = stored<TSingleParam>("PerimeterLongitude");
    TWordParam PerimeterRadius = stored<TWordParam>("PerimeterRadius");
    TWordParam Speed = stored<TWordParam>("Speed");
    TWordParam VoltageMIN = stored<TWordParam>("VoltageMIN");
    TWordParam VoltageMAX = stored<TWordParam>("VoltageMAX");
    TTimerParam ParkingTime = stored<TTimerParam>("ParkingTime");
    TPropParam ActivationProp = stored<TPropParam>("ActivationProp");
    TPropParam ReloadProp = stored<TPropParam>("ReloadProp");
    TPropParam TimerProp = stored<TPropParam>("TimerProp");
    TPropParam DistanceProp = stored<TPropParam>("DistanceProp");
    TPropParam VoltageMaxProp = stored<TPropParam>("VoltageMaxProp");
    TPropParam VoltageMinProp = stored<TPropParam>("VoltageMinProp");
    TPropParam SpeedProp = stored<TPropParam>("SpeedProp");
    TPropParam PerimetrINProp = stored<TPropParam>("PerimetrINProp");
    TPropParam PerimetrOUTProp = stored<TPropParam>("PerimetrOUTProp");
    TPropParam ParkingProp = stored<TPropParam>("ParkingProp");
    TPropParam AlarmProp = stored<TPropParam>("AlarmProp");
    TPropParam DSensorsProp = stored<TPropParam>("DSensorsProp");
    TDigitalSensorParam DSensor = stored<TDigitalSensorParam>("DSensor");
    TDigitalSensorParam InputsState = unstored<TDigitalSensorParam>("InputsState");
    TStringParam SIMCCID = unstored<TStringParam>("SIMCCID");
    TStringParam IMEI = unstored<TStringParam>("IMEI");
    TSingleParam ADCFactor = unstored<TSingleParam>("ADCFactor");
    TStringParam SerialNumber = unstored<TStringParam>("SerialNumber");
    TStringParam FirmwareVersion = unstored<TStringParam>("FirmwareVersion");
    TWordParam ADCValue = unstored<TWordParam>("ADCValue");

    const int ParamCount;
};
