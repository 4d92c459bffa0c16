#pragma once

#include <QDoubleSpinBox>

// The grid's number editor: whole numbers up to 2^32 - 1 and floats alike,
// decimals shown without trailing zeros ("#.###": 12 -> "12", 12.5 -> "12.5").
// A value set from outside the editor's limits (a 0 read from a silent
// terminal) is shown as it is; the limits hold for what the user enters.
class GridSpinBox : public QDoubleSpinBox
{
    Q_OBJECT
public:
    GridSpinBox(double minimum, double maximum, int decimals, QWidget *parent = nullptr);

    void showValue(double value);
    // What the user entered, within the limits.
    double enteredValue() const;

    QString textFromValue(double value) const override;

private:
    double m_minimum;
    double m_maximum;
};
