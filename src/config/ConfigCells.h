#pragma once

#include "CellRef.h"

#include <QVariant>

// The cells the reading, writing and file sequences fill and take from: the
// grid in the window, a plain map for the console. A cell holds a QString,
// a number or a bool; an invalid QVariant is Null, which is not the same as
// an empty text.
class ConfigCells
{
public:
    virtual ~ConfigCells() = default;

    virtual QVariant value(const CellRef &cell) const = 0;
    virtual void setValue(const CellRef &cell, const QVariant &value) = 0;
    virtual QString caption(const CellRef &cell) const = 0;
    virtual void setCaption(const CellRef &cell, const QString &caption) = 0;
    // Ends an edit in progress so that its text becomes the cell's value.
    virtual void commitEdits() { }
};
