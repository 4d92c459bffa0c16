#include "VerticalGrid.h"

#include "GridCell.h"
#include "GridRow.h"

#include <QVBoxLayout>

VerticalGrid::VerticalGrid(QWidget *parent)
    : QScrollArea(parent)
    , m_body(new QWidget)
    , m_layout(new QVBoxLayout(m_body))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(1);
    m_layout->addStretch();
    m_body->setBackgroundRole(QPalette::Mid);
    m_body->setAutoFillBackground(true);
    setWidget(m_body);
    setWidgetResizable(true);
    // Rows share out the width they get; they never need to scroll sideways.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
}

void VerticalGrid::build(const QList<RowDef> &rows)
{
    for (const RowDef &def : rows) {
        const GridRow *parent = m_byName.value(def.parent);
        auto *row = new GridRow(def, parent ? parent->level() + 1 : 0, m_headerWidth, m_body);
        row->setObjectName(def.name);
        m_layout->insertWidget(m_layout->count() - 1, row);
        m_rows << row;
        m_byName.insert(def.name, row);
        connect(row, &GridRow::expandedChanged, this, &VerticalGrid::updateVisibility);
        for (int i = 0; i < row->cellCount(); ++i)
            connect(row->cell(i), &GridCell::edited, this, [this, name = def.name, i] { emit cellEdited(name, i); });
    }
    updateVisibility();
}

GridCell *VerticalGrid::cell(const QString &row, int editor) const
{
    const GridRow *r = m_byName.value(row);
    return r ? r->cell(editor) : nullptr;
}

void VerticalGrid::setHeaderWidth(int width)
{
    m_headerWidth = width;
    for (GridRow *row : m_rows)
        row->setHeaderWidth(width);
}

GridRow *VerticalGrid::parentRow(const GridRow *row) const
{
    return m_byName.value(row->def().parent);
}

bool VerticalGrid::isRowShown(const QString &name) const
{
    const GridRow *row = m_byName.value(name);
    if (!row || row->def().hidden)
        return false;
    for (const GridRow *p = parentRow(row); p; p = parentRow(p))
        if (p->def().hidden || !p->isExpanded())
            return false;
    return true;
}

void VerticalGrid::updateVisibility()
{
    for (GridRow *row : m_rows)
        row->setVisible(isRowShown(row->def().name));
}

void VerticalGrid::closeEdits()
{
    for (GridRow *row : m_rows)
        for (int i = 0; i < row->cellCount(); ++i)
            row->cell(i)->commitEdit();
}
