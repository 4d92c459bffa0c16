#pragma once

#include "OrderedJson.h"
#include "config/CellMap.h"

#include <QJsonObject>
#include <QSet>

class ConfigCells;

// The configuration as the tool's JSON: one key per parameter name, values
// as the configuration page shows them (texts, numbers with the page's
// rounding, volts, event flags, input states and names).
namespace ConfigJson {

// The cells after a reading, as JSON in the order of the page.
OrderedJson fromCells(const ConfigCells &cells);

// What a write file asks for: the cells to write and the parameters whose
// keys were present (absent keys are not sent; identity keys other than
// SerialNumber are ignored).
struct WriteRequest
{
    CellMap cells;
    QSet<QString> parameters; // parameter names, as in the command catalogue
};

// Checks every key of the object (known key, type, the page's limits, and
// whether the value can be encoded for the terminal at all) and raises
// CliError (bad input) naming the first bad key. Nothing is sent.
WriteRequest toCells(const QJsonObject &object);

} // namespace ConfigJson
