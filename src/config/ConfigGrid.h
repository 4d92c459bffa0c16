#pragma once

#include "ConfigCells.h"
#include "VerticalGrid.h"

class QMenu;

// The configuration grid (cxVGrid): the vertical grid built from the row
// table, offered to the reading, writing and file sequences as their cells,
// with the copy menu of the identity values.
class ConfigGrid : public VerticalGrid, public ConfigCells
{
    Q_OBJECT
public:
    explicit ConfigGrid(QWidget *parent = nullptr);

    QVariant value(const CellRef &cell) const override;
    void setValue(const CellRef &cell, const QVariant &value) override;
    QString caption(const CellRef &cell) const override;
    void setCaption(const CellRef &cell, const QString &caption) override;
    void commitEdits() override;

    QMenu *PMCopyParams = nullptr;
    void SIMCCID1Click();
    void IMEI1Click();
    void N3Click();

private:
    // Puts the cell's text on the clipboard; a Null cell has no text and
    // leaves the clipboard as it was.
    void copyCell(const CellRef &cell);
};
