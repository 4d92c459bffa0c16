#include "DigitalInputsGroup.h"

#include "SensorRadioGroup.h"

#include "config/TDigitalSensorParam.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

DigitalInputsGroup::DigitalInputsGroup(TDigitalSensorParam &InputsState, QWidget *parent)
    : QGroupBox(QStringLiteral(" Тест цифровых входов "), parent)
    , m_inputsState(InputsState)
    , cxButton2(new QPushButton(QStringLiteral("Прочитать"), this))
{
    cxButton2->setObjectName(QStringLiteral("cxButton2"));
    connect(cxButton2, &QPushButton::clicked, this, &DigitalInputsGroup::cxButton2Click);

    auto *buttonPanel = new QWidget(this);
    auto *buttonLayout = new QVBoxLayout(buttonPanel);
    buttonLayout->setContentsMargins(0, 0, 0, 0);
    buttonLayout->addWidget(cxButton2);
    buttonLayout->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(buttonPanel);
    layout->addWidget(buildGrid(), 1);
}

// The vertical grid VG2 with its one multi-editor row: the four captions share
// the row header, the four radio groups the value side.
QWidget *DigitalInputsGroup::buildGrid()
{
    auto *VG2 = new QFrame(this);
    VG2->setObjectName(QStringLiteral("VG2"));
    VG2->setFrameShape(QFrame::StyledPanel);
    auto *grid = new QGridLayout(VG2);
    grid->setContentsMargins(1, 1, 1, 1);
    grid->setSpacing(1);

    auto *header = new QWidget(VG2);
    header->setFixedWidth(RowHeaderWidth);
    auto *headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(0, 0, 0, 0);
    auto *values = new QWidget(VG2);
    values->setObjectName(QStringLiteral("DigitalSensors"));
    auto *valuesLayout = new QHBoxLayout(values);
    valuesLayout->setContentsMargins(0, 0, 0, 0);

    for (int i = 0; i < int(DigitalSensors.size()); ++i) {
        auto *caption = new QLabel(QStringLiteral("Датчик %1").arg(i + 1), header);
        caption->setAlignment(Qt::AlignCenter);
        headerLayout->addWidget(caption, 1);
        auto *editor = new SensorRadioGroup(values);
        editor->setObjectName(QStringLiteral("DigitalSensors%1").arg(i + 1));
        valuesLayout->addWidget(editor, 1);
        DigitalSensors[static_cast<size_t>(i)] = editor;
    }
    grid->addWidget(header, 0, 0);
    grid->addWidget(values, 0, 1);
    grid->setColumnStretch(1, 1);
    return VG2;
}

void DigitalInputsGroup::cxButton2Click()
{
    // A silent terminal leaves the flags, so the last good read stays shown.
    m_inputsState.ReadFromDevice();
    for (int i = 0; i < int(DigitalSensors.size()); ++i) {
        SensorRadioGroup *editor = DigitalSensors[static_cast<size_t>(i)];
        editor->setValue(m_inputsState.state(i));
        // Show each input as soon as it is set, as the operator expects.
        editor->repaint();
    }
}
