#pragma once

#include <QLineEdit>

// The volume editor: a number with up to four decimals, or nothing.
class CalcEdit : public QLineEdit
{
    Q_OBJECT
public:
    static constexpr int Decimals = 4;

    explicit CalcEdit(QWidget *parent = nullptr);

    // An invalid QVariant stands for an empty cell.
    QVariant value() const;
    void setValue(const QVariant &value);
};
