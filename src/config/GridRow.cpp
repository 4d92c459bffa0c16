#include "GridRow.h"

#include "GridCell.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include <algorithm>

namespace {
constexpr int Indent = 10;
constexpr int RowHeight = 24;
constexpr int DefaultCellWeight = 100;

int weight(const EditorDef &e)
{
    return e.width > 0 ? e.width : DefaultCellWeight;
}
} // namespace

GridRow::GridRow(const RowDef &def, int level, int headerWidth, QWidget *parent)
    : QWidget(parent)
    , m_def(def)
    , m_level(level)
{
    const bool twoLines
        = std::any_of(def.editors.begin(), def.editors.end(), [](const EditorDef &e) { return e.kind == EditorKind::Radio; });
    setFixedHeight(twoLines ? 2 * RowHeight : RowHeight);
    setAutoFillBackground(true);
    if (isCategory())
        buildCategory();
    else
        buildEditors();
    setHeaderWidth(headerWidth);
}

void GridRow::buildCategory()
{
    setBackgroundRole(QPalette::Button);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2 + m_level * Indent, 0, 4, 0);
    layout->setSpacing(4);
    m_expander = new QToolButton(this);
    m_expander->setAutoRaise(true);
    m_expander->setFixedSize(16, 16);
    m_expander->setArrowType(Qt::DownArrow);
    m_expander->setVisible(m_def.expandable);
    connect(m_expander, &QToolButton::clicked, this, [this] { setExpanded(!m_expanded); });
    layout->addWidget(m_expander);
    if (!m_def.expandable)
        layout->addSpacing(16);
    auto *caption = new QLabel(m_def.caption, this);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    layout->addWidget(caption, 1);
    m_captions << caption;
}

void GridRow::buildEditors()
{
    setBackgroundRole(QPalette::Base);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    m_header = new QWidget(this);
    m_header->setAutoFillBackground(true);
    m_header->setBackgroundRole(QPalette::AlternateBase);
    auto *header = new QHBoxLayout(m_header);
    header->setContentsMargins(4 + (m_level + 1) * Indent, 0, 4, 0);
    header->setSpacing(2);
    auto *values = new QHBoxLayout;
    values->setSpacing(1);
    for (const EditorDef &e : m_def.editors) {
        auto *caption = new QLabel(e.caption, m_header);
        caption->setToolTip(e.caption);
        caption->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        header->addWidget(caption, DefaultCellWeight); // captions need their room
        m_captions << caption;
        auto *cell = new GridCell(e, this);
        values->addWidget(cell, weight(e));
        m_cells << cell;
    }
    layout->addWidget(m_header);
    layout->addLayout(values, 1);
}

void GridRow::setHeaderWidth(int width)
{
    if (m_header)
        m_header->setFixedWidth(width);
}

void GridRow::setExpanded(bool expanded)
{
    if (!m_def.expandable || expanded == m_expanded)
        return;
    m_expanded = expanded;
    m_expander->setArrowType(expanded ? Qt::DownArrow : Qt::RightArrow);
    emit expandedChanged();
}

GridCell *GridRow::cell(int editor) const
{
    return editor >= 0 && editor < m_cells.size() ? m_cells.at(editor) : nullptr;
}

QString GridRow::caption(int editor) const
{
    return editor >= 0 && editor < m_captions.size() ? m_captions.at(editor)->text() : QString();
}

void GridRow::setCaption(int editor, const QString &caption)
{
    if (editor >= 0 && editor < m_captions.size()) {
        m_captions.at(editor)->setText(caption);
        m_captions.at(editor)->setToolTip(caption);
    }
}
