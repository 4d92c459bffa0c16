#include "TfrmADCConfig.h"

#include "AdcCalibration.h"
#include "SingleSpinBox.h"

#include "config/TSingleParam.h"
#include "config/TWordParam.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

namespace {
constexpr int MaxVoltageMv = 100000;
constexpr int VoltageDecimals = 3;
} // namespace

TfrmADCConfig::TfrmADCConfig(TWordParam &ADCValue, TSingleParam &ADCFactor, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_adcValue(ADCValue)
    , m_adcFactor(ADCFactor)
{
    setWindowTitle(QStringLiteral("Калибровка АЦП"));
    ShowError = [this](const QString &text) { QMessageBox::critical(this, windowTitle(), text); };

    eADC = new QSpinBox(this);
    eADC->setRange(0, 65535);
    eVoltage = new QDoubleSpinBox(this);
    eVoltage->setLocale(QLocale::c());
    eVoltage->setDecimals(VoltageDecimals);
    eVoltage->setRange(0, MaxVoltageMv);
    eCF = new SingleSpinBox(this);
    cxButton1 = new QPushButton(QStringLiteral("Обновить"), this);
    cxButton2 = new QPushButton(QStringLiteral("Рассчитать"), this);
    cxButton3 = new QPushButton(QStringLiteral("Сохранить"), this);
    cxButton4 = new QPushButton(QStringLiteral("Отмена"), this);

    auto *fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Значение с АЦП"), this), 0, 0);
    fields->addWidget(eADC, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("мВ"), this), 0, 2);
    fields->addWidget(cxButton1, 0, 3);
    fields->addWidget(new QLabel(QStringLiteral("Напряжение питания:"), this), 1, 0);
    fields->addWidget(eVoltage, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("мВ"), this), 1, 2);
    fields->addWidget(cxButton2, 1, 3);
    fields->addWidget(new QLabel(QStringLiteral("Коэффициент калибровки"), this), 2, 0);
    fields->addWidget(eCF, 2, 1);
    fields->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cxButton3);
    buttons->addWidget(cxButton4);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addStretch(1);
    layout->addLayout(buttons);
    resize(337, 149);

    connect(cxButton1, &QPushButton::clicked, this, &TfrmADCConfig::cxButton1Click);
    connect(cxButton2, &QPushButton::clicked, this, &TfrmADCConfig::cxButton2Click);
    connect(cxButton3, &QPushButton::clicked, this, &TfrmADCConfig::cxButton3Click);
    connect(cxButton4, &QPushButton::clicked, this, &TfrmADCConfig::cxButton4Click);
}

void TfrmADCConfig::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void TfrmADCConfig::cxButton1Click()
{
    eADC->setValue(m_adcValue.ReadWord());
    eCF->setFloat(m_adcFactor.ReadFloat());
}

void TfrmADCConfig::cxButton2Click()
{
    eVoltage->interpretText();
    eADC->interpretText();
    const std::optional<float> factor = AdcCalibration::Factor(eVoltage->value(), eADC->value());
    if (!factor) {
        ShowError(QStringLiteral("Значение с АЦП равно 0: коэффициент не рассчитан.\n"
                                 "Нажмите «Обновить», чтобы прочитать значение с АЦП."));
        return;
    }
    eCF->setFloat(*factor);
}

void TfrmADCConfig::cxButton3Click()
{
    eCF->interpretText();
    m_adcFactor.WriteFloat(eCF->floatValue());
    Calibrated = true;
    accept();
}

void TfrmADCConfig::cxButton4Click()
{
    Calibrated = false;
    reject();
}
