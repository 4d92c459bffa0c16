#include "FuelCommand.h"

#include "CliCommand.h"
#include "CliContext.h"
#include "CliError.h"
#include "JsonFile.h"
#include "OrderedJson.h"
#include "calibration/FuelTable.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonObject>

#include <cmath>

namespace {

constexpr int MinWriteRows = 2; // a table of one point says nothing about the tank
constexpr qint64 MaxAdc = 0xFFFF;

double litres(quint16 hundredths)
{
    return hundredths / 100.0;
}

// The whole file is checked before the port is opened.
QList<FuelRow> rowsFromFile(const QString &fileName)
{
    const QJsonValue doc = JsonFile::read(fileName);
    auto bad = [&](const QString &what) { return CliError::usage(QStringLiteral("%1: %2").arg(fileName, what)); };
    if (!doc.isArray())
        throw bad(QStringLiteral("expected an array of points [{\"adc\":N,\"litres\":X},...]"));
    const QJsonArray points = doc.toArray();
    if (points.size() < MinWriteRows || points.size() > FuelTable::MaxPoints)
        throw bad(QStringLiteral("a table has %1 to %2 points, this one has %3")
                      .arg(MinWriteRows)
                      .arg(FuelTable::MaxPoints)
                      .arg(points.size()));
    QList<FuelRow> rows;
    for (int i = 0; i < points.size(); ++i) {
        const QString at = QStringLiteral("[%1]").arg(i);
        if (!points[i].isObject())
            throw bad(QStringLiteral("%1: expected an object {\"adc\":N,\"litres\":X}").arg(at));
        const QJsonObject point = points[i].toObject();
        for (const QString &key : point.keys())
            if (key != QLatin1String("adc") && key != QLatin1String("litres"))
                throw bad(QStringLiteral("%1.%2: unknown key (a point has adc and litres)").arg(at, key));
        const QJsonValue adc = point.value(QLatin1String("adc"));
        const double a = adc.toDouble(-1);
        if (!adc.isDouble() || a != std::floor(a) || a < 0 || a > MaxAdc)
            throw bad(QStringLiteral("%1.adc: expected a whole number from 0 to %2").arg(at).arg(MaxAdc));
        const QJsonValue volume = point.value(QLatin1String("litres"));
        if (!volume.isDouble() || !FuelTable::VolumeToHundredths(volume.toDouble()))
            throw bad(QStringLiteral("%1.litres: expected a volume from 0 to 655.35").arg(at));
        rows.append(FuelRow{static_cast<qint64>(a), volume.toDouble()});
    }
    return rows;
}

void requireAnswer(CliSession &session, qint64 receivedBefore)
{
    if (session.receivedBytes() == receivedBefore)
        throw CliError::device(QStringLiteral("the terminal did not answer"));
}

int fuelRead(CliContext &ctx)
{
    CliSession &session = ctx.session();
    FuelTable table(session.link());
    table.ReadPoints();
    requireAnswer(session, 0);
    QList<OrderedJson> items;
    for (const TFuelPoint &p : table.TablePoints())
        items.append(OrderedJson().add(QStringLiteral("adc"), p.AdcValue).add(QStringLiteral("litres"), litres(p.Litres100)));
    ctx.out() << OrderedJson::arrayText(items) << Qt::endl;
    return ExitDone;
}

int fuelWrite(CliContext &ctx, const QString &fileName)
{
    const QList<FuelRow> rows = rowsFromFile(fileName);
    FuelTable table(ctx.session().link());
    const QString error = table.WritePoints(rows);
    if (!error.isEmpty())
        throw CliError::device(error);
    return ExitDone;
}

int fuelClear(CliContext &ctx)
{
    CliSession &session = ctx.session();
    FuelTable table(session.link());
    table.Clear();
    requireAnswer(session, 0);
    return ExitDone;
}

int fuelLevel(CliContext &ctx)
{
    FuelTable table(ctx.session().link());
    if (!table.ReadCurrentValues())
        throw CliError::device(QStringLiteral("the terminal did not report the fuel level"));
    ctx.out() << OrderedJson()
                     .add(QStringLiteral("litres"), litres(table.CurrentFuel))
                     .add(QStringLiteral("adc"), table.CurrentAdc)
                     .toLine()
              << Qt::endl;
    return ExitDone;
}

} // namespace

CliCommand fuelCommand()
{
    CliCommand c;
    c.name = QStringLiteral("fuel");
    c.synopsis = QStringLiteral("fuel read|write FILE|clear|level");
    c.arguments = {QStringLiteral("ACTION"), QStringLiteral("[FILE]")};
    c.checksArguments = true;
    c.summary = QStringLiteral("the fuel level sensor's calibration table and live reading");
    c.description = QStringLiteral(
        "fuel read     prints the terminal's table: [{\"adc\":N,\"litres\":X},...]\n"
        "fuel write F  writes the table in the file F (same shape, 2 to 10 points, litres 0 to 655.35),\n"
        "              last point first; the whole file is checked before anything is sent\n"
        "fuel clear    empties the terminal's table\n"
        "fuel level    prints the sensor's present reading: {\"litres\":X,\"adc\":N}\n"
        "The window sends these in work mode 4; use 'mode 4' first when the terminal needs it.");
    c.run = [](CliContext &ctx, const QCommandLineParser &parser) {
        const QStringList args = parser.positionalArguments();
        const QString action = args.value(0);
        const qsizetype wanted = action == QLatin1String("write") ? 2 : 1;
        if (args.size() != wanted || (action != QLatin1String("read") && action != QLatin1String("write")
                                      && action != QLatin1String("clear") && action != QLatin1String("level")))
            throw CliError::usage(QStringLiteral("fuel: usage: taviron-cli fuel read|write FILE|clear|level"));
        if (action == QLatin1String("read"))
            return fuelRead(ctx);
        if (action == QLatin1String("write"))
            return fuelWrite(ctx, args.at(1));
        if (action == QLatin1String("clear"))
            return fuelClear(ctx);
        return fuelLevel(ctx);
    };
    return c;
}
