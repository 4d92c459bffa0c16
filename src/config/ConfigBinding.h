#pragma once

#include "CellRef.h"

#include <QList>

class TerminalParams;
class TPropParam;
class TStringParam;

// Which parameter object stands behind which grid cells, for the rows that
// several sequences walk in the same way.
namespace ConfigBinding {

struct EventRow
{
    QString row;
    TPropParam TerminalParams::*param;
};

struct TextCell
{
    CellRef cell;
    TStringParam TerminalParams::*param;
};

// The order of writing (and of the settings file).
const QList<EventRow> &eventsWriteOrder();
// The order of reading (and of filling the grid): the timer flags first.
const QList<EventRow> &eventsReadOrder();
// Phones and passwords: erBase 0/1, erOwner 0/1, erDialing 0.
const QList<TextCell> &contactCells();
// erAPN 0/1/2.
const QList<TextCell> &apnCells();

extern const QString DigitalSensorsRow; // erDigitalSensors

} // namespace ConfigBinding
