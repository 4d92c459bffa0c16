#include "CalcEdit.h"

#include <QRegularExpressionValidator>

CalcEdit::CalcEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,9}(\\.[0-9]{0,%1})?").arg(Decimals)), this));
}

QVariant CalcEdit::value() const
{
    bool ok = false;
    const double v = text().toDouble(&ok);
    return ok ? QVariant(v) : QVariant();
}

void CalcEdit::setValue(const QVariant &value)
{
    setText(value.isValid() ? QString::number(value.toDouble(), 'f', Decimals) : QString());
}
