#include "ConfigCommands.h"

#include "CliCommand.h"
#include "CliConfig.h"
#include "CliContext.h"
#include "CliError.h"
#include "ConfigJson.h"
#include "JsonFile.h"
#include "ResultOutput.h"
#include "config/ParamsFile.h"
#include "settings/XmlStore.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

const QCommandLineOption OutputOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                      QStringLiteral("Write the JSON to FILE instead of stdout."), QStringLiteral("FILE"));

const QString JsonShape = QStringLiteral(
    "The JSON has one key per parameter, values as the configuration page shows them: texts (SIMCCID decoded, "
    "SerialNumber as \"A 12 123456\", Timer and ParkingTime as \"DD/HH/MM/SS\"), numbers (ADCFactor, "
    "PerimeterLatitude and PerimeterLongitude with 3 decimals, VoltageMAX and VoltageMIN in volts), the twelve "
    "event objects {\"sms\":bool,\"gprs\":bool,\"sms_owner\":bool} and DSensor with the four input states "
    "DS1..DS4 and names DS1Name..DS4Name.");

int readTo(CliContext &ctx, const QCommandLineParser &parser, bool save)
{
    ResultOutput output(parser.value(OutputOption), ctx.out());
    // The input names come from the settings file; a reading alone must not
    // create one.
    const bool useStore = save || QFileInfo::exists(ctx.settingsFile());
    XmlStore store(ctx.settingsFile());
    CliConfig config(ctx.session(), useStore ? &store : nullptr);
    config.read();
    if (save) {
        const ConfigResult saved = ParamsFile::SaveParams(config.params, config.cells);
        if (!saved.ok())
            throw CliError::device(saved.error);
    }
    output.write(ConfigJson::fromCells(config.cells).toText());
    return ExitDone;
}

} // namespace

CliCommand readCommand()
{
    CliCommand c;
    c.name = QStringLiteral("read");
    c.synopsis = QStringLiteral("read [-o FILE]");
    c.summary = QStringLiteral("read the configuration and identity, print it as JSON");
    c.description = QStringLiteral("Reads the terminal's whole configuration and identity with the 44 requests of "
                                   "\"Прочитать\", in its order, and prints one JSON object.\n")
        + JsonShape;
    c.options = {OutputOption};
    c.run = [](CliContext &ctx, const QCommandLineParser &parser) { return readTo(ctx, parser, false); };
    return c;
}

CliCommand saveCommand()
{
    CliCommand c;
    c.name = QStringLiteral("save");
    c.synopsis = QStringLiteral("save [-o FILE]");
    c.summary = QStringLiteral("read, print as JSON and keep it in the settings file");
    c.description = QStringLiteral("Like read, then stores the values in the section \"Params\" of the settings "
                                   "file, as \"Сохранить в файл\" does.");
    c.options = {OutputOption};
    c.run = [](CliContext &ctx, const QCommandLineParser &parser) { return readTo(ctx, parser, true); };
    return c;
}

CliCommand writeCommand()
{
    CliCommand c;
    c.name = QStringLiteral("write");
    c.synopsis = QStringLiteral("write FILE");
    c.arguments = {QStringLiteral("FILE")};
    c.summary = QStringLiteral("write a JSON configuration (the shape read prints)");
    c.description = QStringLiteral(
        "Writes the JSON object in FILE (the shape read prints) to the terminal in the order of \"Сохранить\". "
        "Every value present is sent; absent keys are not; FirmwareVersion, SIMCCID, IMEI and ADCFactor are "
        "ignored, SerialNumber is written (an empty one is not). The whole file is checked first (JSON syntax, "
        "types, the limits of the configuration page, the terminal's encoding): a bad file exits with 2 and "
        "nothing is sent.");
    c.run = [](CliContext &ctx, const QCommandLineParser &parser) {
        const QString fileName = parser.positionalArguments().at(0);
        const QJsonValue doc = JsonFile::read(fileName);
        if (!doc.isObject())
            throw CliError::usage(QStringLiteral("%1: expected a JSON object, as read prints").arg(fileName));
        ConfigJson::WriteRequest request;
        try {
            request = ConfigJson::toCells(doc.toObject());
        } catch (const CliError &e) {
            throw CliError(e.code(), QStringLiteral("%1: %2").arg(fileName, e.message()));
        }
        CliConfig config(ctx.session(), nullptr);
        config.cells = request.cells;
        config.write(request.parameters);
        return int(ExitDone);
    };
    return c;
}

CliCommand inputsCommand()
{
    CliCommand c;
    c.name = QStringLiteral("inputs");
    c.synopsis = QStringLiteral("inputs");
    c.summary = QStringLiteral("the present state of the four digital inputs");
    c.description = QStringLiteral("Reads parameter 45 and prints {\"DS1\":bool,\"DS2\":bool,\"DS3\":bool,\"DS4\":bool}.");
    c.run = [](CliContext &ctx, const QCommandLineParser &) {
        CliConfig config(ctx.session(), nullptr);
        config.readInputs();
        OrderedJson json;
        for (int i = 0; i < TDigitalSensorParam::InputCount; ++i)
            json.add(QStringLiteral("DS%1").arg(i + 1), config.params.InputsState.state(i));
        ctx.out() << json.toLine() << Qt::endl;
        return int(ExitDone);
    };
    return c;
}
