// The sensors page: the fuel table frame, whose input names label the
// digital inputs in the configuration grid.
#include "MainUnit.h"

#include "calibration/TSensorFrame.h"
#include "config/ConfigBinding.h"
#include "config/ConfigGrid.h"

#include <QVBoxLayout>

void TfrmMain::buildSensorPage()
{
    SensorFrame1 = new TSensorFrame(m_link, TS5);
    SensorFrame1->setObjectName(QStringLiteral("SensorFrame1"));
    auto *layout = new QVBoxLayout(TS5);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(SensorFrame1);
    SensorFrame1->ToolButton7Click = [this] { SensorFrame1ToolButton7Click(); };
    connect(SensorFrame1, &TSensorFrame::sensorNamesSaved, this, [this](const QStringList &names) {
        for (int k = 0; k < names.size(); ++k)
            cxVGrid->setCaption({ConfigBinding::DigitalSensorsRow, k}, names[k]);
    });
}

void TfrmMain::SensorFrame1ToolButton7Click()
{
    SensorFrame1->AClearTableExecute();
}
