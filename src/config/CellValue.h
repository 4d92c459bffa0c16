#pragma once

#include "CellRef.h"
#include "link/TBuf.h"

#include <QVariant>

#include <functional>

class ConfigCells;

// Taking a cell's value as what a parameter needs. Every failure raises
// ParamError with a text that names the row, the value and what is allowed.
namespace CellValue {

// The cell as text; a Null cell gives nullText.
QString text(const ConfigCells &cells, const CellRef &cell, const QString &nullText = {});
// The text as Windows-1251 bytes.
TBuf bytes(const ConfigCells &cells, const CellRef &cell, const QString &nullText = {});
qint64 integer(const ConfigCells &cells, const CellRef &cell, qint64 minimum, qint64 maximum);
double number(const ConfigCells &cells, const CellRef &cell);
// Whole numbers of the 16- and 32-bit parameters.
quint16 word(const ConfigCells &cells, const CellRef &cell);
quint32 dword(const ConfigCells &cells, const CellRef &cell);
// A 32-bit float; a number beyond its range is refused, not sent as infinity.
float single(const ConfigCells &cells, const CellRef &cell);
// A cell in volts as whole millivolts, rounded half to even.
quint16 millivolts(const ConfigCells &cells, const CellRef &cell);
bool boolean(const ConfigCells &cells, const CellRef &cell);

// Runs fn; a ParamError from it comes back with the row's caption in front.
void guarded(const ConfigCells &cells, const CellRef &cell, const std::function<void()> &fn);

} // namespace CellValue
