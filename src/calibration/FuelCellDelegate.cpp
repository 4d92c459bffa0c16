#include "FuelCellDelegate.h"

#include "CalcEdit.h"

QString FuelCellDelegate::displayText(const QVariant &value, const QLocale &) const
{
    return value.isValid() ? QString::number(value.toDouble(), 'f', CalcEdit::Decimals) : QString();
}

QWidget *FuelCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const
{
    return new CalcEdit(parent);
}

void FuelCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    static_cast<CalcEdit *>(editor)->setValue(index.data(Qt::EditRole));
}

void FuelCellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    model->setData(index, static_cast<CalcEdit *>(editor)->value(), Qt::EditRole);
}
