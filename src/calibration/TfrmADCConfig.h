#pragma once

#include <QDialog>

#include <functional>

class QDoubleSpinBox;
class QPushButton;
class QSpinBox;
class SingleSpinBox;
class TSingleParam;
class TWordParam;

// "Калибровка АЦП": reads the terminal's supply ADC value and calibration
// factor, computes a new factor from a measured supply voltage and writes it.
// Created once and reused; the fields keep their values between openings.
class TfrmADCConfig : public QDialog
{
    Q_OBJECT
public:
    TfrmADCConfig(TWordParam &ADCValue, TSingleParam &ADCFactor, QWidget *parent = nullptr);

    void cxButton1Click(); // "Обновить"
    void cxButton2Click(); // "Рассчитать"
    void cxButton3Click(); // "Сохранить"
    void cxButton4Click(); // "Отмена"

    // The result of the last use: true after "Сохранить", false after
    // "Отмена"; closing the window otherwise leaves it as it was.
    bool Calibrated = false;

    QSpinBox *eADC = nullptr;
    QDoubleSpinBox *eVoltage = nullptr;
    SingleSpinBox *eCF = nullptr;
    QPushButton *cxButton1 = nullptr;
    QPushButton *cxButton2 = nullptr;
    QPushButton *cxButton3 = nullptr;
    QPushButton *cxButton4 = nullptr;

    // Shows a problem to the user; a message box unless replaced (tests).
    std::function<void(const QString &text)> ShowError;

protected:
    void showEvent(QShowEvent *event) override;

private:
    TWordParam &m_adcValue;
    TSingleParam &m_adcFactor;
};
