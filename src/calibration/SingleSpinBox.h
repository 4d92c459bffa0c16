#pragma once

#include <QDoubleSpinBox>

// A spin box for a single-precision value: it shows the shortest text that
// gives the same single back, so a value read from the terminal and written
// again is bit for bit the value that was read.
class SingleSpinBox : public QDoubleSpinBox
{
    Q_OBJECT
public:
    explicit SingleSpinBox(QWidget *parent = nullptr);

    float floatValue() const { return static_cast<float>(value()); }
    // A value that is not a finite number shows as 0.
    void setFloat(float x);

    QString textFromValue(double value) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};
