#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

// Editor of an ADC value cell: a whole number, or nothing, and a button
// that fills the cell from the sensor.
class AdcCellEditor : public QWidget
{
    Q_OBJECT
public:
    explicit AdcCellEditor(QWidget *parent = nullptr);

    // An invalid QVariant stands for an empty cell.
    QVariant value() const;
    void setValue(const QVariant &value);

    QLineEdit *edit = nullptr;
    QPushButton *button = nullptr;

signals:
    void refreshClicked();
};
