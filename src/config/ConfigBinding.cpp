#include "ConfigBinding.h"

#include "TerminalParams.h"

namespace ConfigBinding {

const QString DigitalSensorsRow = QStringLiteral("erDigitalSensors");

namespace {
using P = TerminalParams;
EventRow ev(const char *row, TPropParam P::*param)
{
    return { QString::fromLatin1(row), param };
}
} // namespace

const QList<EventRow> &eventsWriteOrder()
{
    static const QList<EventRow> list = {
        ev("erActivationEvent", &P::ActivationProp),
        ev("erReloadEvent", &P::ReloadProp),
        ev("erTimerEvent", &P::TimerProp),
        ev("erDistanceEvent", &P::DistanceProp),
        ev("erVoltageMaxEvent", &P::VoltageMaxProp),
        ev("erVoltageMinEvent", &P::VoltageMinProp),
        ev("erSpeedEvent", &P::SpeedProp),
        ev("erPerimetrINEvent", &P::PerimetrINProp),
        ev("erPerimetrOUTEvent", &P::PerimetrOUTProp),
        ev("erParkingEvent", &P::ParkingProp),
        ev("erAlarmProp", &P::AlarmProp),
        ev("erDSensorsEvent", &P::DSensorsProp),
    };
    return list;
}

const QList<EventRow> &eventsReadOrder()
{
    static const QList<EventRow> list = [] {
        QList<EventRow> l = eventsWriteOrder();
        l.move(2, 0); // the terminal's timer flags come first when reading
        return l;
    }();
    return list;
}

const QList<TextCell> &contactCells()
{
    static const QList<TextCell> list = {
        { { QStringLiteral("erBase"), 0 }, &P::BasePhone },
        { { QStringLiteral("erBase"), 1 }, &P::BasePassword },
        { { QStringLiteral("erOwner"), 0 }, &P::OwnerPhone },
        { { QStringLiteral("erOwner"), 1 }, &P::OwnerPassword },
        { { QStringLiteral("erDialing"), 0 }, &P::DialingPhone },
    };
    return list;
}

const QList<TextCell> &apnCells()
{
    static const QList<TextCell> list = {
        { { QStringLiteral("erAPN"), 0 }, &P::APN },
        { { QStringLiteral("erAPN"), 1 }, &P::APN_Login },
        { { QStringLiteral("erAPN"), 2 }, &P::APN_Password },
    };
    return list;
}

} // namespace ConfigBinding
