#pragma once

#include "ConfigRows.h"

#include <QHash>
#include <QList>
#include <QScrollArea>

class GridCell;
class GridRow;
class QVBoxLayout;

// A vertical property grid: category rows that group and fold, editor rows
// with one or several cells, each cell with its caption in the row header.
// Built from a table of rows; knows nothing of what the values mean.
class VerticalGrid : public QScrollArea
{
    Q_OBJECT
public:
    static constexpr int DefaultHeaderWidth = 316;

    explicit VerticalGrid(QWidget *parent = nullptr);

    void build(const QList<RowDef> &rows);

    GridRow *row(const QString &name) const { return m_byName.value(name); }
    GridCell *cell(const QString &row, int editor) const;
    const QList<GridRow *> &rows() const { return m_rows; }

    int headerWidth() const { return m_headerWidth; }
    void setHeaderWidth(int width);
    // True when the row is on screen: not hidden, every category above it open.
    bool isRowShown(const QString &name) const;
    // Ends the edit in every cell, as taking the focus from the cells would.
    void closeEdits();

signals:
    void cellEdited(const QString &row, int editor);

private:
    void updateVisibility();
    GridRow *parentRow(const GridRow *row) const;

    QWidget *m_body;
    QVBoxLayout *m_layout;
    QList<GridRow *> m_rows;
    QHash<QString, GridRow *> m_byName;
    int m_headerWidth = DefaultHeaderWidth;
};
