#include "ParamsFile.h"

#include "CellNumbers.h"
#include "CellValue.h"
#include "ConfigBinding.h"
#include "ConfigCells.h"
#include "ParamError.h"
#include "TerminalParams.h"
#include "Win1251.h"
#include "settings/XmlStore.h"

#include <cmath>

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

quint16 word(const ConfigCells &cells, const CellRef &cell)
{
    return static_cast<quint16>(CellValue::integer(cells, cell, 0, 0xFFFF));
}

quint16 millivolts(const ConfigCells &cells, const CellRef &cell)
{
    const qint64 mv = CellNumbers::voltsToMillivolts(CellValue::number(cells, cell));
    if (mv < 0 || mv > 0xFFFF)
        throw ParamError(QStringLiteral("«%1»: напряжение %2 мВ вне диапазона 0..65535 мВ").arg(cells.caption(cell)).arg(mv));
    return static_cast<quint16>(mv);
}

float single(const ConfigCells &cells, const CellRef &cell)
{
    const float x = static_cast<float>(CellValue::number(cells, cell));
    if (!std::isfinite(x))
        throw ParamError(QStringLiteral("«%1»: число вне диапазона 32-битного float").arg(cells.caption(cell)));
    return x;
}
} // namespace

void ParamsFile::ParamsToGrid(const TerminalParams &p, ConfigCells &cells)
{
    using namespace ConfigBinding;
    auto text = [](const TNAVParam &param) { return Win1251::decode(param.GetText()); };

    cells.setValue({Version, 0}, text(p.ProgrammVersion));
    for (const TextCell &c : contactCells())
        cells.setValue(c.cell, text(p.*c.param));
    cells.setValue({IP, 0}, text(p.IPAddr));
    cells.setValue({IP, 1}, QString::number(p.IPPort.GetWord()));
    for (const TextCell &c : apnCells())
        cells.setValue(c.cell, text(p.*c.param));
    cells.setValue({Timer, 0}, text(p.Timer));
    cells.setValue({Distance, 0}, qint64(p.Distance.GetDWord()));
    cells.setValue({Perimetr, 0}, CellNumbers::cutTo3(p.PerimeterLatitude.GetFloat()));
    cells.setValue({Perimetr, 1}, CellNumbers::cutTo3(p.PerimeterLongitude.GetFloat()));
    cells.setValue({Perimetr, 2}, qint64(p.PerimeterRadius.GetWord()));
    cells.setValue({Speed, 0}, qint64(p.Speed.GetWord()));
    cells.setValue({VoltageMAX, 0}, CellNumbers::millivoltsToVolts(p.VoltageMAX.GetWord()));
    cells.setValue({VoltageMIN, 0}, CellNumbers::millivoltsToVolts(p.VoltageMIN.GetWord()));
    cells.setValue({ParkingTime, 0}, text(p.ParkingTime));
    for (const EventRow &e : eventsReadOrder()) {
        const TPropParam &prop = p.*e.param;
        cells.setValue({e.row, 0}, prop.Sms);
        cells.setValue({e.row, 1}, prop.Gprs);
        cells.setValue({e.row, 2}, prop.SmsOwner);
    }
    for (int i = 0; i < TDigitalSensorParam::InputCount; ++i)
        cells.setCaption({DigitalSensorsRow, i}, p.DSensor.name(i));
    for (int i = 0; i < TDigitalSensorParam::InputCount; ++i)
        cells.setValue({DigitalSensorsRow, i}, p.DSensor.state(i));
}

void ParamsFile::GridToParams(TerminalParams &p, ConfigCells &cells)
{
    using namespace ConfigBinding;
    cells.commitEdits();
    p.ProgrammVersion.SetText(CellValue::bytes(cells, {Version, 0}));
    for (const TextCell &c : contactCells())
        (p.*c.param).SetText(CellValue::bytes(cells, c.cell));
    p.IPAddr.SetText(CellValue::bytes(cells, {IP, 0}));
    p.IPPort.SetWord(word(cells, {IP, 1}));
    for (const TextCell &c : apnCells())
        (p.*c.param).SetText(CellValue::bytes(cells, c.cell));
    p.Timer.SetText(CellValue::bytes(cells, {Timer, 0}));
    p.Distance.SetDWord(static_cast<quint32>(CellValue::integer(cells, {Distance, 0}, 0, 0xFFFFFFFFu)));
    p.PerimeterLatitude.SetFloat(single(cells, {Perimetr, 0}));
    p.PerimeterLongitude.SetFloat(single(cells, {Perimetr, 1}));
    p.PerimeterRadius.SetWord(word(cells, {Perimetr, 2}));
    p.Speed.SetWord(word(cells, {Speed, 0}));
    p.VoltageMAX.SetWord(millivolts(cells, {VoltageMAX, 0}));
    p.VoltageMIN.SetWord(millivolts(cells, {VoltageMIN, 0}));
    p.ParkingTime.SetText(CellValue::bytes(cells, {ParkingTime, 0}));
    for (const EventRow &e : eventsWriteOrder()) {
        TPropParam &prop = p.*e.param;
        prop.SetSms(CellValue::boolean(cells, {e.row, 0}));
        prop.SetGprs(CellValue::boolean(cells, {e.row, 1}));
        prop.SetSmsOwner(CellValue::boolean(cells, {e.row, 2}));
    }
    for (int i = 0; i < TDigitalSensorParam::InputCount; ++i)
        p.DSensor.SetName(i, cells.caption({DigitalSensorsRow, i}));
    for (int i = 0; i < TDigitalSensorParam::InputCount; ++i)
        p.DSensor.SetState(i, CellValue::boolean(cells, {DigitalSensorsRow, i}));
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
        return {ConfigResult::Failed, e.text()};
    }
    XmlStore *store = params.store();
    if (!store)
        return {};
    store->open();
    for (TCustomNAVParam *param : params.ParamList)
        param->SaveToStore();
    if (!store->close())
        return {ConfigResult::Failed, QStringLiteral("Не удалось сохранить файл настроек: %1").arg(store->errorString())};
    return {};
}
