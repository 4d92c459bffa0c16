#pragma once

#include "ConfigRows.h"

#include <QList>
#include <QWidget>

class GridCell;
class QLabel;
class QToolButton;

// One row of the vertical grid: a category (a caption, and a button that
// folds the rows under it when it has one) or an editor row (a header with
// one caption per cell on the left, the cells side by side on the right).
class GridRow : public QWidget
{
    Q_OBJECT
public:
    GridRow(const RowDef &def, int level, int headerWidth, QWidget *parent = nullptr);

    const RowDef &def() const { return m_def; }
    bool isCategory() const { return m_def.kind == RowKind::Category; }
    int level() const { return m_level; }

    bool isExpanded() const { return m_expanded; }
    void setExpanded(bool expanded);

    int cellCount() const { return static_cast<int>(m_cells.size()); }
    GridCell *cell(int editor) const;
    QString caption(int editor) const;
    void setCaption(int editor, const QString &caption);
    void setHeaderWidth(int width);

signals:
    void expandedChanged();

private:
    void buildCategory();
    void buildEditors();

    RowDef m_def;
    int m_level;
    bool m_expanded = true;
    QWidget *m_header = nullptr;
    QToolButton *m_expander = nullptr;
    QList<QLabel *> m_captions;
    QList<GridCell *> m_cells;
};
