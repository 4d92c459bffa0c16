#include "Commands.h"

namespace Commands {

namespace {

TBuf bytes(std::initializer_list<quint8> list)
{
    TBuf b;
    b.reserve(static_cast<qsizetype>(list.size()));
    for (quint8 v : list)
        b.append(static_cast<char>(v));
    return b;
}

void appendWord(TBuf &b, quint16 v)
{
    b.append(static_cast<char>(v & 0xFF));
    b.append(static_cast<char>(v >> 8));
}

} // namespace

const QList<ParamCode> &paramCodes()
{
    using K = ParamKind;
    static const QList<ParamCode> table = {
        {1, 128, "ProgrammVersion", K::String},
        {2, 129, "BasePhone", K::String},
        {3, 130, "BasePassword", K::String},
        {4, 131, "OwnerPhone", K::String},
        {5, 132, "OwnerPassword", K::String},
        {6, 133, "DialingPhone", K::String},
        {7, 134, "IPAddr", K::IPAddr},
        {8, 135, "IPPort", K::Word},
        {9, 136, "APN", K::String},
        {10, 137, "APN_Login", K::String},
        {11, 138, "APN_Password", K::String},
        {12, 0, "SIMCCID", K::String},
        {13, 140, "Timer", K::Timer},
        {14, 141, "TimerProp", K::Prop},
        {15, 142, "Distance", K::DWord},
        {16, 143, "DistanceProp", K::Prop},
        {17, 144, "PerimeterLatitude", K::Single},
        {18, 145, "PerimeterLongitude", K::Single},
        {19, 146, "PerimeterRadius", K::Word},
        {21, 148, "VoltageMIN", K::Word},
        {22, 149, "VoltageMinProp", K::Prop},
        {23, 150, "VoltageMAX", K::Word},
        {24, 151, "VoltageMaxProp", K::Prop},
        {25, 152, "Speed", K::Word},
        {26, 153, "SpeedProp", K::Prop},
        {27, 154, "ParkingTime", K::Timer},
        {28, 155, "ParkingProp", K::Prop},
        {29, 156, "ActivationProp", K::Prop},
        {30, 157, "ReloadProp", K::Prop},
        {32, 159, "AlarmProp", K::Prop},
        {36, 0, "ADCValue", K::Word},
        {37, 164, "ADCFactor", K::Single},
        {38, 165, "SerialNumber", K::String},
        {39, 166, "PerimetrINProp", K::Prop},
        {40, 167, "PerimetrOUTProp", K::Prop},
        {41, 0, "IMEI", K::String},
        {43, 170, "DSensor", K::DigitalSensor},
        {44, 171, "DSensorsProp", K::Prop},
        {45, 0, "InputsState", K::DigitalSensor},
        {125, 0, "FirmwareVersion", K::String},
    };
    return table;
}

const ParamCode *paramCode(quint8 number)
{
    for (const ParamCode &p : paramCodes())
        if (p.number == number)
            return &p;
    return nullptr;
}

QString name(quint8 code)
{
    switch (code) {
    case cmdLog: return QStringLiteral("cmdLog");
    case cmdReadFuelPoint: return QStringLiteral("cmdReadFuelPoint");
    case cmdReadFuelLevel: return QStringLiteral("cmdReadFuelLevel");
    case cmdReadRelays: return QStringLiteral("cmdReadRelays");
    case cmdLogOutput: return QStringLiteral("cmdLogOutput");
    case cmdStartTests: return QStringLiteral("cmdStartTests");
    case cmdTestReport: return QStringLiteral("cmdTestReport");
    case cmdBootloader: return QStringLiteral("cmdBootloader");
    case cmdSetMode: return QStringLiteral("cmdSetMode");
    case cmdWriteFuelPoint: return QStringLiteral("cmdWriteFuelPoint");
    case cmdSetRelays: return QStringLiteral("cmdSetRelays");
    case cmdBootBlock: return QStringLiteral("cmdBootBlock");
    case cmdBootImageDone: return QStringLiteral("cmdBootImageDone");
    case cmdBootLeave: return QStringLiteral("cmdBootLeave");
    case cmdBootEnter: return QStringLiteral("cmdBootEnter");
    case cmdNak: return QStringLiteral("cmdNak");
    default: break;
    }
    if (const ParamCode *p = paramCode(code))
        return QStringLiteral("cmdReadParam %1").arg(QLatin1String(p->name));
    if (code > WriteOffset)
        if (const ParamCode *p = paramCode(static_cast<quint8>(code - WriteOffset)); p && p->writeCode == code)
            return QStringLiteral("cmdWriteParam %1").arg(QLatin1String(p->name));
    return QStringLiteral("code %1").arg(code);
}

TBuf readParam(quint8 number) { return bytes({number}); }

TBuf writeParam(quint8 writeCode, const TBuf &value)
{
    Q_ASSERT(value.size() <= 255);
    TBuf b = bytes({writeCode, static_cast<quint8>(value.size())});
    b.append(value);
    return b;
}

TBuf readFuelPoint(bool first) { return bytes({cmdReadFuelPoint, 1, static_cast<quint8>(first ? 0 : 1)}); }
TBuf readFuelLevel() { return bytes({cmdReadFuelLevel, 1}); }
TBuf readRelays() { return bytes({cmdReadRelays, 0}); }
TBuf logOutput(bool on) { return bytes({cmdLogOutput, 1, static_cast<quint8>(on ? 1 : 0)}); }
TBuf startTests(quint8 mask) { return bytes({cmdStartTests, 1, mask}); }
TBuf bootloader() { return bytes({cmdBootloader, 1, 1}); }
TBuf setMode(quint8 mode) { return bytes({cmdSetMode, 1, mode}); }

TBuf writeFuelPoint(quint16 fuelHundredths, quint16 adc, quint8 flag, quint8 index)
{
    TBuf b = bytes({cmdWriteFuelPoint, 6});
    appendWord(b, fuelHundredths);
    appendWord(b, adc);
    b.append(static_cast<char>(flag));
    b.append(static_cast<char>(index));
    return b;
}

TBuf clearFuelTable() { return bytes({cmdWriteFuelPoint, 6, 0, 0, 0, 0, 4, 0}); }
TBuf setRelays(quint8 state) { return bytes({cmdSetRelays, 1, state}); }

TBuf bootBlock(const TBuf &image)
{
    Q_ASSERT(image.size() <= 255);
    TBuf b = bytes({cmdBootBlock, static_cast<quint8>(image.size())});
    b.append(image);
    return b;
}

TBuf bootImageDone() { return bytes({cmdBootImageDone}); }
TBuf bootLeave() { return bytes({cmdBootLeave}); }
TBuf bootEnter() { return bytes({cmdBootEnter}); }

} // namespace Commands
