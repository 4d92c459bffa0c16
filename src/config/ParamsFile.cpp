#include "ParamsFile.h"

#include "CellNumbers.h"
#include "CellValue.h"
#include "ConfigBinding.h"
#include "ConfigCells.h"
#include "ParamError.h"
#include "TerminalParams.h"
#include "Win1251.h"
#include "settings/XmlStore.h"

namespace {
const QString Version = QStringLiteral("erVersion");
const QString IP = QStringLiteral("erIP");
const QString Timer = QStringLiteral("erTimer");
const QString Distance = QStringLiteral("erDistance");
const QString Perimetr = QStringLiteral("erPerimetr");
const QString Speed = QStringLiteral("erSpeed");
const QString VoltageMAX = QStringLiteral("erVoltageMAX");
const QString VoltageMIN = QStringLiteral("erVoltageMIN");
const QString ParkingTime = QStringLiteral("erParkingTime");
} // namespace

void ParamsFile::ParamsToGrid(const TerminalParams &p, ConfigCells &cells)
{
    using namespace ConfigBinding;
    auto text = [](const TNAVParam &param) { return Win1251::decode(param.GetText()); };

    cells.setValue({ Version, 0 }, text(p.ProgrammVersion));
    for (const TextCell &c : contactCells())
        cells.setValue(c.cell, text(p.*c.param));
    cells.setValue({ IP, 0 }, text(p.IPAddr));
    cells.setValue({ IP, 1 }, QString::number(p.IPPort.GetWord()));
    for (const TextCell &c : apnCells())
        cells.setValue(c.cell, text(p.*c.param));
    cells.setValue({ Timer, 0 }, text(p.Timer));
    cells.setValue({ Distance, 0 }, qint64(p.Distance.GetDWord()));
    cells.setValue({ Perimetr, 0 }, CellNumbers::cutTo3(p.PerimeterLatitude.GetFloat()));
    cells.setValue({ Perimetr, 1 }, CellNumbers::cutTo3(p.PerimeterLongitude.GetFloat()));
    cells.setValue({ Perimetr, 2 }, qint64(p.PerimeterRadius.GetWord()));
    cells.setValue({ Speed, 0 }, qint64(p.Speed.GetWord()));
    cells.setValue({ VoltageMAX, 0 }, CellNumbers::millivoltsToVolts(p.VoltageMAX.GetWord()));
    cells.setValue({ VoltageMIN, 0 }, CellNumbers::millivoltsToVolts(p.VoltageMIN.GetWord()));
    cells.setValue({ ParkingTime, 0 }, text(p.ParkingTime));
    for (const EventRow &e : eventsReadOrder()) {
        const TPropParam &prop = p.*e.param;
        cells.setValue({ e.row, 0 }, prop.Sms);
        cells.setValue({ e.row, 1 }, prop.Gprs);
        cells.setValue({ e.row, 2 }, prop.SmsOwner);
    }
    for (int i = 0; i < TDigitalSensorParam::InputCount; ++i)
        cells.setCaption({ DigitalSensorsRow, i }, p.DSensor.name(i));
    for (int i = 0; i < TDigitalSensorParam::InputCount; ++i)
        cells.setValue({ DigitalSensorsRow, i }, p.DSensor.state(i));
}

void ParamsFile::GridToParams(TerminalParams &p, ConfigCells &cells)
{
    using namespace ConfigBinding;
    cells.commitEdits();
    p.ProgrammVersion.SetText(CellValue::bytes(cells, { Version, 0 }));
    for (const TextCell &c : contactCells())
        (p.*c.param).SetText(CellValue::bytes(cells, c.cell));
    p.IPAddr.SetText(CellValue::bytes(cells, { IP, 0 }));
    p.IPPort.SetWord(CellValue::word(cells, { IP, 1 }));
    for (const TextCell &c : apnCells())
        (p.*c.param).SetText(CellValue::bytes(cells, c.cell));
    p.Timer.SetText(CellValue::bytes(cells, { Timer, 0 }));
    p.Distance.SetDWord(CellValue::dword(cells, { Distance, 0 }));
    p.PerimeterLatitude.SetFloat(CellValue::single(cells, { Perimetr, 0 }));
    p.PerimeterLongitude.SetFloat(CellValue::single(cells, { Perimetr, 1 }));
    p.PerimeterRadius.SetWord(CellValue::word(cells, { Perimetr, 2 }));
    p.Speed.SetWord(CellValue::word(cells, { Speed, 0 }));
    p.VoltageMAX.SetWord(CellValue::millivolts(cells, { VoltageMAX, 0 }));
    p.VoltageMIN.SetWord(CellValue::millivolts(cells, { VoltageMIN, 0 }));
    p.ParkingTime.SetText(CellValue::bytes(cells, { ParkingTime, 0 }));
    for (const EventRow &e : eventsWriteOrder()) {
        TPropParam &prop = p.*e.param;
        prop.SetSms(CellValue::boolean(cells, { e.row, 0 }));
        prop.SetGprs(CellValue::boolean(cells, { e.row, 1 }));
        prop.SetSmsOwner(CellValue::boolean(cells, { e.row, 2 }));
    }
    for (int i = 0; i < TDigitalSensorParam::InputCount; ++i)
        p.DSensor.SetName(i, cells.caption({ DigitalSensorsRow, i }));
    for (int i = 0; i < TDigitalSensorParam::InputCount; ++i)
        p.DSensor.SetState(i, CellValue::boolean(cells, { DigitalSensorsRow, i }));
}

ConfigResult ParamsFile::LoadParams(TerminalParams &params, ConfigCells &cells)
{
    if (XmlStore *store = params.store())
        store->open();
    for (TCustomNAVParam *param : params.ParamList)
        param->LoadFromStore();
    if (XmlStore *store = params.store())
        store->close();
    cells.commitEdits();
    ParamsToGrid(params, cells);
    return {};
}

ConfigResult ParamsFile::SaveParams(TerminalParams &params, ConfigCells &cells)
{
    try {
        GridToParams(params, cells);
    } catch (const ParamError &e) {
        return { ConfigResult::Failed, e.text() };
    }
    XmlStore *store = params.store();
    if (!store)
        return {};
    store->open();
    for (TCustomNAVParam *param : params.ParamList)
        param->SaveToStore();
    if (!store->close())
        return { ConfigResult::Failed, QStringLiteral("Не удалось сохранить файл настроек: %1").arg(store->errorString()) };
    return {};
}
