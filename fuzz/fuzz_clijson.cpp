// The command-line tool's input files: arbitrary bytes as the file of
// "write" (a configuration object) and of "fuel write" (a table). The whole
// file check must accept or refuse with CliError, never crash; what it
// accepts must be a request that can be sent.
#include "cli/CliError.h"
#include "cli/ConfigJson.h"
#include "cli/FuelJson.h"
#include "cli/JsonFile.h"
#include "calibration/FuelTable.h"

#include <QLoggingCategory>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    [[maybe_unused]] static const bool quiet = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("taviron.*=false"));
        return true;
    }();
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString name = QStringLiteral("input.json");
    QJsonValue doc;
    try {
        doc = JsonFile::parse(bytes, name);
    } catch (const CliError &) {
        return 0;
    }
    if (doc.isObject()) {
        try {
            const ConfigJson::WriteRequest request = ConfigJson::toCells(doc.toObject());
            // Only keys of the file become requests.
            if (request.parameters.size() > doc.toObject().size())
                __builtin_trap();
        } catch (const CliError &e) {
            if (e.code() != ExitBadInput || e.message().isEmpty())
                __builtin_trap();
        }
    }
    try {
        for (const FuelRow &row : FuelJson::rows(doc, name)) {
            // An accepted point fits the terminal's table.
            if (!row.adc || *row.adc < 0 || *row.adc > 0xFFFF || !row.litres || !FuelTable::VolumeToHundredths(*row.litres))
                __builtin_trap();
        }
    } catch (const CliError &e) {
        if (e.code() != ExitBadInput || e.message().isEmpty())
            __builtin_trap();
    }
    return 0;
}
