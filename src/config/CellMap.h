#pragma once

#include "ConfigCells.h"

#include <QHash>

// The cells without a window: the console's grid. Starts with the initial
// values and captions of the row table.
class CellMap : public ConfigCells
{
public:
    CellMap();

    QVariant value(const CellRef &cell) const override { return m_values.value(cell); }
    void setValue(const CellRef &cell, const QVariant &value) override { m_values.insert(cell, value); }
    QString caption(const CellRef &cell) const override { return m_captions.value(cell); }
    void setCaption(const CellRef &cell, const QString &caption) override { m_captions.insert(cell, caption); }

private:
    QHash<CellRef, QVariant> m_values;
    QHash<CellRef, QString> m_captions;
};
