#include "ConfigReader.h"

#include "CellNumbers.h"
#include "ConfigBinding.h"
#include "ConfigCells.h"
#include "ConfigProgress.h"
#include "IdentityText.h"
#include "TerminalParams.h"
#include "Win1251.h"

namespace {

void readAll(TerminalParams &p, ConfigCells &cells, ConfigProgress &progress)
{
    auto text = [](TNAVParam &param) { return Win1251::decode(param.ReadFromDevice()); };
    auto show = [&](const QString &row, int editor, const QVariant &v) {
        cells.setValue({ row, editor }, v);
        progress.step();
    };
    using namespace ConfigBinding;

    show(QStringLiteral("erVersion"), 0, text(p.ProgrammVersion));
    // The firmware version shares the step of the hardware version.
    cells.setValue({ QStringLiteral("erFirmvareVersion"), 0 }, text(p.FirmwareVersion));
    show(QStringLiteral("erSIMCCID"), 0, DecodeCCID(text(p.SIMCCID)));
    show(QStringLiteral("erIMEI"), 0, text(p.IMEI));
    show(QStringLiteral("erADCCalibrationFactor"), 0, CellNumbers::roundTo3(p.ADCFactor.ReadFloat()));
    show(QStringLiteral("erSerialNumber"), 0, ConvertSerialNumber(SerialDirection::FromTerminal, text(p.SerialNumber)));
    for (const TextCell &c : contactCells())
        show(c.cell.row, c.cell.editor, text(p.*c.param));
    show(QStringLiteral("erIP"), 0, text(p.IPAddr));
    show(QStringLiteral("erIP"), 1, QString::number(p.IPPort.ReadWord()));
    for (const TextCell &c : apnCells())
        show(c.cell.row, c.cell.editor, text(p.*c.param));
    show(QStringLiteral("erTimer"), 0, text(p.Timer));
    show(QStringLiteral("erDistance"), 0, qint64(p.Distance.ReadDWord()));
    show(QStringLiteral("erPerimetr"), 0, CellNumbers::cutTo3(p.PerimeterLatitude.ReadFloat()));
    show(QStringLiteral("erPerimetr"), 1, CellNumbers::cutTo3(p.PerimeterLongitude.ReadFloat()));
    show(QStringLiteral("erPerimetr"), 2, qint64(p.PerimeterRadius.ReadWord()));
    show(QStringLiteral("erSpeed"), 0, qint64(p.Speed.ReadWord()));
    show(QStringLiteral("erVoltageMAX"), 0, CellNumbers::millivoltsToVolts(p.VoltageMAX.ReadWord()));
    show(QStringLiteral("erVoltageMIN"), 0, CellNumbers::millivoltsToVolts(p.VoltageMIN.ReadWord()));
    show(QStringLiteral("erParkingTime"), 0, text(p.ParkingTime));
    for (const EventRow &e : eventsReadOrder()) {
        TPropParam &prop = p.*e.param;
        prop.ReadFromDevice();
        show(e.row, 0, prop.Sms);
        show(e.row, 1, prop.Gprs);
        show(e.row, 2, prop.SmsOwner);
    }
    p.DSensor.ReadFromDevice();
    for (int i = 0; i < TDigitalSensorParam::InputCount; ++i)
        show(DigitalSensorsRow, i, p.DSensor.state(i));
}

} // namespace

ConfigResult ConfigReader::run(TerminalParams &params, ConfigCells &cells, ConfigProgress &progress)
{
    cells.commitEdits();
    progress.start();
    ConfigResult result;
    try {
        readAll(params, cells, progress);
    } catch (const ConfigStopped &) {
        result.outcome = ConfigResult::Stopped;
    }
    progress.finish();
    return result;
}
