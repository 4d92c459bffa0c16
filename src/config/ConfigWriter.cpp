#include "ConfigWriter.h"

#include "CellValue.h"
#include "ConfigBinding.h"
#include "ConfigCells.h"
#include "ConfigProgress.h"
#include "IdentityText.h"
#include "ParamError.h"
#include "TerminalParams.h"
#include "Win1251.h"

namespace {

class Writer
{
public:
    Writer(TerminalParams &p, ConfigCells &cells, ConfigProgress &progress)
        : p(p)
        , cells(cells)
        , progress(progress)
    {
    }

    void run();

private:
    void text(TNAVParam &param, const CellRef &cell, const QString &nullText = {})
    {
        const TBuf value = CellValue::bytes(cells, cell, nullText);
        CellValue::guarded(cells, cell, [&] { param.WriteToDevice(value); });
        progress.step();
    }
    void word(TWordParam &param, const CellRef &cell)
    {
        param.WriteWord(CellValue::word(cells, cell));
        progress.step();
    }
    void single(TSingleParam &param, const CellRef &cell)
    {
        param.WriteFloat(CellValue::single(cells, cell));
        progress.step();
    }
    void volts(TWordParam &param, const CellRef &cell)
    {
        param.WriteWord(CellValue::millivolts(cells, cell));
        progress.step();
    }
    bool flag(const CellRef &cell) const { return CellValue::boolean(cells, cell); }

    TerminalParams &p;
    ConfigCells &cells;
    ConfigProgress &progress;
};

void Writer::run()
{
    using namespace ConfigBinding;
    const QString perimetr = QStringLiteral("erPerimetr");

    text(p.ProgrammVersion, { QStringLiteral("erVersion"), 0 });
    const CellRef serial { QStringLiteral("erSerialNumber"), 0 };
    if (cells.value(serial).isValid()) {
        const QString number = ConvertSerialNumber(SerialDirection::ToTerminal, CellValue::text(cells, serial));
        CellValue::guarded(cells, serial, [&] { p.SerialNumber.WriteToDevice(Win1251::encode(number)); });
    }
    progress.step();
    for (const TextCell &c : contactCells())
        text(p.*c.param, c.cell);
    text(p.IPAddr, { QStringLiteral("erIP"), 0 }, QStringLiteral("0.0.0.0"));
    word(p.IPPort, { QStringLiteral("erIP"), 1 });
    for (const TextCell &c : apnCells())
        text(p.*c.param, c.cell);
    text(p.Timer, { QStringLiteral("erTimer"), 0 });
    const CellRef distance { QStringLiteral("erDistance"), 0 };
    p.Distance.WriteDWord(CellValue::dword(cells, distance));
    progress.step();
    single(p.PerimeterLatitude, { perimetr, 0 });
    single(p.PerimeterLongitude, { perimetr, 1 });
    word(p.PerimeterRadius, { perimetr, 2 });
    word(p.Speed, { QStringLiteral("erSpeed"), 0 });
    volts(p.VoltageMAX, { QStringLiteral("erVoltageMAX"), 0 });
    volts(p.VoltageMIN, { QStringLiteral("erVoltageMIN"), 0 });
    text(p.ParkingTime, { QStringLiteral("erParkingTime"), 0 });
    for (const EventRow &e : eventsWriteOrder()) {
        TPropParam &prop = p.*e.param;
        prop.SetSms(flag({ e.row, 0 }));
        progress.step();
        prop.SetGprs(flag({ e.row, 1 }));
        progress.step();
        prop.SetSmsOwner(flag({ e.row, 2 }));
        progress.step();
        prop.WriteToDevice();
    }
    for (int i = 0; i < TDigitalSensorParam::InputCount; ++i) {
        p.DSensor.SetState(i, flag({ DigitalSensorsRow, i }));
        progress.step();
    }
    p.DSensor.WriteToDevice();
}

} // namespace

ConfigResult ConfigWriter::run(TerminalParams &params, ConfigCells &cells, ConfigProgress &progress)
{
    cells.commitEdits();
    progress.start();
    ConfigResult result;
    try {
        Writer(params, cells, progress).run();
    } catch (const ConfigStopped &) {
        result.outcome = ConfigResult::Stopped;
    } catch (const ParamError &e) {
        // The bar keeps its place: it shows how far the writing got.
        return { ConfigResult::Failed, e.text() };
    }
    progress.finish();
    return result;
}
