#pragma once

#include <QLineEdit>

class CalcPopup;

// The volume editor: a number with up to four decimals, or nothing, and a
// drop-down calculator whose result replaces the number.
class CalcEdit : public QLineEdit
{
    Q_OBJECT
public:
    static constexpr int Decimals = 4;

    explicit CalcEdit(QWidget *parent = nullptr);

    // An invalid QVariant stands for an empty cell.
    QVariant value() const;
    void setValue(const QVariant &value);

    void showCalculator();
    CalcPopup *popup = nullptr;
};
