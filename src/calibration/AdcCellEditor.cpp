#include "AdcCellEditor.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

AdcCellEditor::AdcCellEditor(QWidget *parent)
    : QWidget(parent)
{
    edit = new QLineEdit(this);
    // Nine digits keep every value inside an int; only the low 16 bits travel.
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), edit));
    edit->setFrame(false);
    button = new QPushButton(QStringLiteral("Обновить"), this);
    button->setFocusPolicy(Qt::NoFocus);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(edit, 1);
    layout->addWidget(button);
    setFocusProxy(edit);
    setAutoFillBackground(true);
    connect(button, &QPushButton::clicked, this, &AdcCellEditor::refreshClicked);
}

QVariant AdcCellEditor::value() const
{
    const QString text = edit->text();
    return text.isEmpty() ? QVariant() : QVariant(text.toLongLong());
}

void AdcCellEditor::setValue(const QVariant &value)
{
    edit->setText(value.isValid() ? QString::number(value.toLongLong()) : QString());
}
