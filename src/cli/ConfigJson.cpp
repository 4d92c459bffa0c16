#include "ConfigJson.h"

#include "CliError.h"
#include "config/CellNumbers.h"
#include "config/ConfigBinding.h"
#include "config/ConfigProgress.h"
#include "config/ConfigRows.h"
#include "config/ConfigWriter.h"
#include "config/TerminalParams.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <cmath>
#include <optional>

namespace ConfigJson {

namespace {

enum class Kind { Text, Integer, Decimal, Volts };

// One scalar key and the grid cell it stands for.
struct Field
{
    const char *key;
    Kind kind;
    CellRef cell;
    bool identity = false; // shown by a reading, never written from a file
    std::optional<double> minimum = {}; // when the cell's editor has no limits of its own
    std::optional<double> maximum = {};
};

CellRef cell(const char *row, int editor = 0)
{
    return {QString::fromLatin1(row), editor};
}

// In the order of the configuration page.
const QList<Field> &fields()
{
    static const QList<Field> list = {
        {"ProgrammVersion", Kind::Text, cell("erVersion")},
        {"FirmwareVersion", Kind::Text, cell("erFirmvareVersion"), true},
        {"SIMCCID", Kind::Text, cell("erSIMCCID"), true},
        {"IMEI", Kind::Text, cell("erIMEI"), true},
        {"ADCFactor", Kind::Decimal, cell("erADCCalibrationFactor"), true},
        {"SerialNumber", Kind::Text, cell("erSerialNumber")},
        {"BasePhone", Kind::Text, cell("erBase", 0)},
        {"BasePassword", Kind::Text, cell("erBase", 1)},
        {"OwnerPhone", Kind::Text, cell("erOwner", 0)},
        {"OwnerPassword", Kind::Text, cell("erOwner", 1)},
        {"DialingPhone", Kind::Text, cell("erDialing")},
        {"IPAddr", Kind::Text, cell("erIP", 0)},
        // A plain text cell on the page; the terminal keeps it in 16 bits.
        {"IPPort", Kind::Integer, cell("erIP", 1), false, 0, 0xFFFF},
        {"APN", Kind::Text, cell("erAPN", 0)},
        {"APN_Login", Kind::Text, cell("erAPN", 1)},
        {"APN_Password", Kind::Text, cell("erAPN", 2)},
        {"Timer", Kind::Text, cell("erTimer")},
        {"Distance", Kind::Integer, cell("erDistance")},
        {"PerimeterLatitude", Kind::Decimal, cell("erPerimetr", 0)},
        {"PerimeterLongitude", Kind::Decimal, cell("erPerimetr", 1)},
        {"PerimeterRadius", Kind::Integer, cell("erPerimetr", 2)},
        {"Speed", Kind::Integer, cell("erSpeed")},
        {"VoltageMAX", Kind::Volts, cell("erVoltageMAX")},
        {"VoltageMIN", Kind::Volts, cell("erVoltageMIN")},
        {"ParkingTime", Kind::Text, cell("erParkingTime")},
    };
    return list;
}

const QString DSensorKey = QStringLiteral("DSensor");
const QStringList EventFlags = {QStringLiteral("sms"), QStringLiteral("gprs"), QStringLiteral("sms_owner")};

QString inputKey(int i)
{
    return QStringLiteral("DS%1").arg(i + 1);
}
QString inputNameKey(int i)
{
    return QStringLiteral("DS%1Name").arg(i + 1);
}

// The event rows with the names of their parameters, in the page's order.
struct Event
{
    QString key;
    QString row;
};
const QList<Event> &events()
{
    static const QList<Event> list = [] {
        const TerminalParams names(nullptr);
        QList<Event> l;
        for (const ConfigBinding::EventRow &e : ConfigBinding::eventsWriteOrder())
            l.append({(names.*e.param).Key, e.row});
        return l;
    }();
    return list;
}

// Three decimals as a JSON number: the nearest double to the shown text, so
// the file says 55.124 and not 55.123999999999995.
double threeDecimals(double x)
{
    return QString::number(x, 'f', 3).toDouble();
}

QJsonValue scalarValue(const Field &f, const QVariant &v)
{
    switch (f.kind) {
    case Kind::Text:
        return v.toString();
    case Kind::Integer:
        return QJsonValue(v.toLongLong());
    case Kind::Decimal:
    case Kind::Volts:
        return threeDecimals(v.toDouble());
    }
    return {};
}

[[noreturn]] void bad(const QString &key, const QString &why)
{
    throw CliError::usage(QStringLiteral("%1: %2").arg(key, why));
}

QString shortest(double x)
{
    return QString::number(x, 'g', QLocale::FloatingPointShortest);
}

QString describe(const QJsonValue &v)
{
    if (v.isString())
        return QLatin1Char('"') + v.toString() + QLatin1Char('"');
    if (v.isDouble())
        return shortest(v.toDouble());
    return QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
}

const EditorDef &editorOf(const CellRef &c)
{
    return *ConfigRows::editor(c.row, c.editor);
}

// Takes a scalar key into its cell after checking type and the page's limits.
void takeScalar(const Field &f, const QJsonValue &v, CellMap &cells)
{
    const QString key = QString::fromLatin1(f.key);
    const EditorDef &editor = editorOf(f.cell);
    if (f.kind == Kind::Text) {
        if (!v.isString())
            bad(key, QStringLiteral("expected a text, found %1").arg(describe(v)));
        if (!editor.mask.isEmpty()) {
            const QRegularExpression mask(QRegularExpression::anchoredPattern(editor.mask));
            if (!mask.match(v.toString()).hasMatch())
                bad(key, QStringLiteral("%1 does not match the pattern %2").arg(describe(v), editor.mask));
        }
        cells.setValue(f.cell, v.toString());
        return;
    }
    if (!v.isDouble())
        bad(key, QStringLiteral("expected a number, found %1").arg(describe(v)));
    const double x = v.toDouble();
    const double minimum = f.minimum.value_or(editor.minimum);
    const double maximum = f.maximum.value_or(editor.maximum);
    if (f.kind == Kind::Integer && x != std::floor(x))
        bad(key, QStringLiteral("expected a whole number, found %1").arg(describe(v)));
    if (x < minimum || x > maximum)
        bad(key, QStringLiteral("%1 is out of range %2 to %3")
                     .arg(describe(v), shortest(minimum), shortest(maximum)));
    if (f.kind == Kind::Integer)
        cells.setValue(f.cell, editor.kind == EditorKind::Text ? QVariant(QString::number(qint64(x))) : QVariant(qint64(x)));
    else
        cells.setValue(f.cell, x);
}

// An object of booleans with exactly the given members; optional text
// members allowed too.
QJsonObject flagsObject(const QString &key, const QJsonValue &v, const QStringList &flags, const QStringList &texts = {})
{
    if (!v.isObject())
        bad(key, QStringLiteral("expected an object with %1").arg(flags.join(QStringLiteral(", "))));
    const QJsonObject o = v.toObject();
    for (const QString &member : o.keys()) {
        if (flags.contains(member)) {
            if (!o.value(member).isBool())
                bad(key + QLatin1Char('.') + member, QStringLiteral("expected true or false, found %1").arg(describe(o.value(member))));
        } else if (texts.contains(member)) {
            if (!o.value(member).isString())
                bad(key + QLatin1Char('.') + member, QStringLiteral("expected a text, found %1").arg(describe(o.value(member))));
        } else {
            bad(key + QLatin1Char('.') + member, QStringLiteral("unknown key"));
        }
    }
    // The terminal takes all flags of an object in one byte: a missing one
    // would be sent as false.
    for (const QString &flag : flags)
        if (!o.contains(flag))
            bad(key + QLatin1Char('.') + flag, QStringLiteral("missing"));
    return o;
}

// Runs the writer of the configuration page over the key's cells alone,
// with no terminal behind it: a value the terminal's encoding cannot hold
// (a character outside Windows-1251, a text over 255 bytes, a bad address)
// is refused here, with the key in front, before anything is sent.
void checkEncodable(const QString &key, const std::function<void(CellMap &)> &fill)
{
    CellMap cells;
    fill(cells);
    TerminalParams dry(nullptr);
    ConfigProgress progress(dry.ParamCount);
    const ConfigResult result = ConfigWriter::run(dry, cells, progress);
    if (result.outcome == ConfigResult::Failed)
        bad(key, result.error);
}

} // namespace

OrderedJson fromCells(const ConfigCells &cells)
{
    OrderedJson json;
    for (const Field &f : fields())
        json.add(QString::fromLatin1(f.key), scalarValue(f, cells.value(f.cell)));
    for (const Event &e : events()) {
        OrderedJson flags;
        for (int i = 0; i < EventFlags.size(); ++i)
            flags.add(EventFlags.at(i), cells.value({e.row, i}).toBool());
        json.add(e.key, flags);
    }
    OrderedJson inputs;
    for (int i = 0; i < TDigitalSensorParam::InputCount; ++i)
        inputs.add(inputKey(i), cells.value({ConfigBinding::DigitalSensorsRow, i}).toBool());
    for (int i = 0; i < TDigitalSensorParam::InputCount; ++i)
        inputs.add(inputNameKey(i), cells.caption({ConfigBinding::DigitalSensorsRow, i}));
    json.add(DSensorKey, inputs);
    return json;
}

WriteRequest toCells(const QJsonObject &object)
{
    WriteRequest request;
    for (const QString &key : object.keys()) {
        const QJsonValue v = object.value(key);
        auto field = std::find_if(fields().begin(), fields().end(), [&](const Field &f) { return key == QLatin1String(f.key); });
        if (field != fields().end()) {
            if (field->identity)
                continue;
            // A terminal without a serial number reads as an empty text; its
            // file leaves the next terminal's number alone.
            if (key == QLatin1String("SerialNumber") && v.isString() && v.toString().isEmpty())
                continue;
            takeScalar(*field, v, request.cells);
            checkEncodable(key, [&](CellMap &cells) { takeScalar(*field, v, cells); });
            request.parameters.insert(key);
            continue;
        }
        auto event = std::find_if(events().begin(), events().end(), [&](const Event &e) { return e.key == key; });
        if (event != events().end()) {
            const QJsonObject flags = flagsObject(key, v, EventFlags);
            for (int i = 0; i < EventFlags.size(); ++i)
                request.cells.setValue({event->row, i}, flags.value(EventFlags.at(i)).toBool());
            request.parameters.insert(key);
            continue;
        }
        if (key == DSensorKey) {
            QStringList states;
            QStringList names;
            for (int i = 0; i < TDigitalSensorParam::InputCount; ++i) {
                states << inputKey(i);
                names << inputNameKey(i);
            }
            const QJsonObject inputs = flagsObject(key, v, states, names);
            for (int i = 0; i < TDigitalSensorParam::InputCount; ++i) {
                const CellRef c{ConfigBinding::DigitalSensorsRow, i};
                request.cells.setValue(c, inputs.value(states.at(i)).toBool());
                if (inputs.contains(names.at(i)))
                    request.cells.setCaption(c, inputs.value(names.at(i)).toString());
            }
            request.parameters.insert(key);
            continue;
        }
        bad(key, QStringLiteral("unknown key"));
    }
    return request;
}

} // namespace ConfigJson
