#pragma once

#include "FuelTable.h"

#include <QWidget>

#include <functional>

class FuelChart;
class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;
class QToolButton;
class Link;
class TDigitalSensorParam;

// The page "Датчики": the names of the four digital inputs and the fuel
// level sensor's calibration table with its live reading and chart.
class TSensorFrame : public QWidget
{
    Q_OBJECT
public:
    // Columns of the table.
    enum Column { RNum, Voltage, Fuel, ColumnCount };

    explicit TSensorFrame(Link &link, QWidget *parent = nullptr);

    // The page is entered: show the input names of param and keep it.
    void ShowSensorParam(TDigitalSensorParam &param);
    void ReadCurrentValues();

    void btnSaveClick();
    void btnRefreshClick();
    void VoltagePropertiesButtonClick();
    void AInsertPointExecute();
    void ARemovePointExecute();
    void ALoadTableExecute();
    void ASaveTableExecute();
    void AClearTableExecute();
    void ALUpdate();

    // The table rows as the user sees them, for the write.
    QList<FuelRow> rows() const;

    qint32 PointCount = 0;
    FuelTable table; // Points, CurrentFuel, CurrentAdc
    TDigitalSensorParam *SensorParam = nullptr; // not owned; none until the page is first entered

    QAction *AInsertPoint = nullptr;
    QAction *ARemovePoint = nullptr;
    QAction *ALoadTable = nullptr;
    QAction *ASaveTable = nullptr;
    QAction *AClearTable = nullptr;
    QToolButton *ToolButton7 = nullptr; // the clear button

    QLineEdit *eDT1 = nullptr;
    QLineEdit *eDT2 = nullptr;
    QLineEdit *eDT3 = nullptr;
    QLineEdit *eDT4 = nullptr;
    QPushButton *btnSave = nullptr;

    QTableView *grid = nullptr;
    QStandardItemModel *View = nullptr;
    QLabel *lFuel = nullptr;
    QLabel *lSensor = nullptr;
    QPushButton *btnRefresh = nullptr;
    FuelChart *Chart1 = nullptr;

    // What a click on the clear button runs; the host may put its own handler here.
    std::function<void()> ToolButton7Click;
    // Shows a problem to the user; a message box unless replaced (tests, scripts).
    std::function<void(const QString &text)> ShowError;

signals:
    // The input names were saved; they label the inputs in the configuration grid.
    void sensorNamesSaved(const QStringList &names);

private:
    QList<QLineEdit *> nameFields() const { return {eDT1, eDT2, eDT3, eDT4}; }
    QWidget *createNamesGroup();
    QWidget *createTableGroup();
    QWidget *createToolBar();
    void appendRow(const QVariant &adc, const QVariant &litres);
    void commitOpenEditor();

    bool m_writing = false;
};
