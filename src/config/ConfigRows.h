#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// The rows of the configuration grid as data: the grid is built from this
// table, and the sequences name a cell's row in their messages from it.
enum class RowKind { Category, Editor, MultiEditor };
enum class EditorKind { Text, Label, Masked, IntSpin, FloatSpin, Check, Radio };

struct EditorDef
{
    QString caption;
    EditorKind kind = EditorKind::Text;
    QVariant initial; // invalid: Null
    double minimum = 0; // spin editors
    double maximum = 0;
    int decimals = 0; // float spin editors: digits the editor accepts
    bool trimZeros = false; // "#.###": up to three decimals, no trailing zeros
    QString mask; // masked editors: the whole text must match
    int width = 0; // 0: share the row evenly
};

struct RowDef
{
    QString name;
    RowKind kind = RowKind::Editor;
    QString parent; // category row this one sits under; empty: top level
    QString caption; // categories; editor rows take their editors' captions
    bool expandable = true;
    bool hidden = false;
    QList<EditorDef> editors;
};

namespace ConfigRows {

// Every row in display order.
const QList<RowDef> &rows();
const RowDef *find(const QString &name);
const EditorDef *editor(const QString &row, int editor);

extern const QString IntervalMask;
extern const QString SerialNumberMask;

} // namespace ConfigRows
