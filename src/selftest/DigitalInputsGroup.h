#pragma once

#include <QGroupBox>

#include <array>

class QPushButton;
class SensorRadioGroup;
class TDigitalSensorParam;

// The digital inputs check: "Прочитать" asks the terminal once for the state
// of its four inputs and shows each as closed or open. No polling.
class DigitalInputsGroup : public QGroupBox
{
    Q_OBJECT
public:
    static constexpr int RowHeaderWidth = 292;

    DigitalInputsGroup(TDigitalSensorParam &InputsState, QWidget *parent = nullptr);

    // Editor i (0..3) of the DigitalSensors row.
    SensorRadioGroup *sensor(int i) const { return DigitalSensors.at(static_cast<size_t>(i)); }

public slots:
    void cxButton2Click();

private:
    QWidget *buildGrid();

    TDigitalSensorParam &m_inputsState;
    QPushButton *cxButton2;
    std::array<SensorRadioGroup *, 4> DigitalSensors {};
};
