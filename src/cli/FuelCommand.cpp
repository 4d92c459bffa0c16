#include "FuelCommand.h"

#include "CliCommand.h"
#include "CliContext.h"
#include "CliError.h"
#include "FuelJson.h"
#include "JsonFile.h"
#include "OrderedJson.h"
#include "calibration/FuelTable.h"

#include <QCommandLineParser>

namespace {

double litres(quint16 hundredths)
{
    return hundredths / 100.0;
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
    // The whole file is checked before the port is opened.
    const QList<FuelRow> rows = FuelJson::rows(JsonFile::read(fileName), fileName);
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
