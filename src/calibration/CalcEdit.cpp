#include "CalcEdit.h"

#include "CalcPopup.h"

#include <QAction>
#include <QRegularExpressionValidator>
#include <QStyle>

CalcEdit::CalcEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,9}(\\.[0-9]{0,%1})?").arg(Decimals)), this));
    QAction *drop = addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    drop->setToolTip(QStringLiteral("Калькулятор"));
    connect(drop, &QAction::triggered, this, &CalcEdit::showCalculator);
    popup = new CalcPopup(this);
    connect(popup, &CalcPopup::accepted, this, [this](double result) {
        setText(QString::number(result, 'f', Decimals));
        setFocus();
    });
}

void CalcEdit::showCalculator()
{
    const QVariant current = value();
    popup->start(current.isValid() ? current.toDouble() : 0.0);
    popup->adjustSize();
    popup->move(mapToGlobal(QPoint(0, height())));
    popup->show();
    popup->setFocus(Qt::PopupFocusReason);
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
