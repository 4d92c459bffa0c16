#include "AdcCellDelegate.h"

#include "AdcCellEditor.h"

QWidget *AdcCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const
{
    auto *editor = new AdcCellEditor(parent);
    connect(editor, &AdcCellEditor::refreshClicked, this, &AdcCellDelegate::refreshClicked);
    return editor;
}

void AdcCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    static_cast<AdcCellEditor *>(editor)->setValue(index.data(Qt::EditRole));
}

void AdcCellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    model->setData(index, static_cast<AdcCellEditor *>(editor)->value(), Qt::EditRole);
}
