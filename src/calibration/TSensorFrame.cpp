#include "TSensorFrame.h"

#include "AdcCellDelegate.h"
#include "FuelCellDelegate.h"
#include "FuelChart.h"

#include "config/TDigitalSensorParam.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int IconSize = 24;

QIcon glyphIcon(const QString &glyph, const QColor &color)
{
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(IconSize - 4);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, glyph);
    return QIcon(pixmap);
}

QAction *makeAction(QObject *parent, const QString &hint, const QString &glyph, const QColor &color)
{
    auto *action = new QAction(glyphIcon(glyph, color), hint, parent);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    return action;
}
} // namespace

TSensorFrame::TSensorFrame(Link &link, QWidget *parent)
    : QWidget(parent)
    , table(link)
{
    ToolButton7Click = [this] { AClearTableExecute(); };
    ShowError = [this](const QString &text) { QMessageBox::warning(this, QStringLiteral("Датчики"), text); };

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(createNamesGroup());
    layout->addWidget(createTableGroup(), 1);
    ALUpdate();
}

QWidget *TSensorFrame::createNamesGroup()
{
    auto *group = new QGroupBox(QStringLiteral(" Названия цифровых датчиков "), this);
    auto *layout = new QGridLayout(group);
    QLineEdit **fields[] = {&eDT1, &eDT2, &eDT3, &eDT4};
    for (int k = 0; k < 4; ++k) {
        auto *field = new QLineEdit(QStringLiteral("eDT%1").arg(k + 1), group);
        field->setObjectName(QStringLiteral("eDT%1").arg(k + 1));
        *fields[k] = field;
        layout->addWidget(new QLabel(QStringLiteral("Датчик %1").arg(k + 1), group), k, 0);
        layout->addWidget(field, k, 1);
    }
    btnSave = new QPushButton(QStringLiteral("Сохранить"), group);
    layout->addWidget(btnSave, 4, 1, Qt::AlignRight);
    connect(btnSave, &QPushButton::clicked, this, &TSensorFrame::btnSaveClick);
    return group;
}

void TSensorFrame::ShowSensorParam(TDigitalSensorParam &param)
{
    const QList<QLineEdit *> fields = nameFields();
    for (int k = 0; k < TDigitalSensorParam::InputCount; ++k)
        fields[k]->setText(param.name(k));
    SensorParam = &param;
    // Rows from an earlier visit stay, so the count must describe them.
    PointCount = View->rowCount();
}

void TSensorFrame::btnSaveClick()
{
    if (!SensorParam)
        return;
    QStringList names;
    const QList<QLineEdit *> fields = nameFields();
    for (int k = 0; k < TDigitalSensorParam::InputCount; ++k) {
        SensorParam->SetName(k, fields[k]->text());
        names << fields[k]->text();
    }
    emit sensorNamesSaved(names);
}

QWidget *TSensorFrame::createToolBar()
{
    auto *bar = new QToolBar(this);
    bar->setIconSize(QSize(IconSize, IconSize));
    AInsertPoint = makeAction(this, QStringLiteral("Добавить точку"), QStringLiteral("+"), QColor(0, 128, 0));
    ARemovePoint = makeAction(this, QStringLiteral("Удалить точку"), QStringLiteral("−"), QColor(192, 0, 0));
    ALoadTable = makeAction(this, QStringLiteral("Прочитать таблицу"), QStringLiteral("↓"), QColor(0, 64, 192));
    ASaveTable = makeAction(this, QStringLiteral("Записать таблицу"), QStringLiteral("↑"), QColor(0, 64, 192));
    AClearTable = makeAction(this, QStringLiteral("Очистить таблицу"), QStringLiteral("×"), QColor(192, 0, 0));
    for (QAction *action : {AInsertPoint, ARemovePoint, ALoadTable, ASaveTable, AClearTable})
        bar->addAction(action);
    ToolButton7 = qobject_cast<QToolButton *>(bar->widgetForAction(AClearTable));

    connect(AInsertPoint, &QAction::triggered, this, &TSensorFrame::AInsertPointExecute);
    connect(ARemovePoint, &QAction::triggered, this, &TSensorFrame::ARemovePointExecute);
    connect(ALoadTable, &QAction::triggered, this, &TSensorFrame::ALoadTableExecute);
    connect(ASaveTable, &QAction::triggered, this, &TSensorFrame::ASaveTableExecute);
    connect(AClearTable, &QAction::triggered, this, [this] { ToolButton7Click(); });
    return bar;
}

QWidget *TSensorFrame::createTableGroup()
{
    auto *group = new QGroupBox(QStringLiteral(" Калибровка аналогового датчика "), this);

    View = new QStandardItemModel(0, ColumnCount, this);
    View->setHorizontalHeaderLabels(
        {QStringLiteral("№ п/п"), QStringLiteral("Значение АЦП (дискрет)"), QStringLiteral("Уровень топлива (л.)")});
    grid = new QTableView(group);
    grid->setModel(View);
    grid->setSortingEnabled(false);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid->horizontalHeader()->setSectionResizeMode(RNum, QHeaderView::ResizeToContents);
    auto *adcDelegate = new AdcCellDelegate(grid);
    grid->setItemDelegateForColumn(Voltage, adcDelegate);
    grid->setItemDelegateForColumn(Fuel, new FuelCellDelegate(grid));
    connect(adcDelegate, &AdcCellDelegate::refreshClicked, this, &TSensorFrame::VoltagePropertiesButtonClick);
    // The actions follow the row count whatever changed it.
    connect(View, &QAbstractItemModel::rowsInserted, this, &TSensorFrame::ALUpdate);
    connect(View, &QAbstractItemModel::rowsRemoved, this, &TSensorFrame::ALUpdate);

    auto *tablePane = new QWidget;
    auto *tableLayout = new QVBoxLayout(tablePane);
    tableLayout->setContentsMargins(0, 0, 0, 0);
    tableLayout->addWidget(grid, 1);
    auto *reading = new QHBoxLayout;
    lFuel = new QLabel(QStringLiteral("0"));
    lSensor = new QLabel(QStringLiteral("0"));
    btnRefresh = new QPushButton(QStringLiteral("Обновить"));
    reading->addWidget(new QLabel(QStringLiteral("Топливо (л.)")));
    reading->addWidget(lFuel);
    reading->addSpacing(24);
    reading->addWidget(new QLabel(QStringLiteral("Значение АЦП")));
    reading->addWidget(lSensor);
    reading->addStretch(1);
    reading->addWidget(btnRefresh);
    tableLayout->addLayout(reading);
    connect(btnRefresh, &QPushButton::clicked, this, &TSensorFrame::btnRefreshClick);

    Chart1 = new FuelChart;
    auto *splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(tablePane);
    splitter->addWidget(Chart1);
    splitter->setChildrenCollapsible(false);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    Chart1->setMinimumHeight(200);
    splitter->setSizes({1, 1}); // half each to start with

    auto *layout = new QVBoxLayout(group);
    layout->addWidget(createToolBar());
    layout->addWidget(splitter, 1);
    return group;
}

void TSensorFrame::ReadCurrentValues()
{
    table.ReadCurrentValues();
}

void TSensorFrame::btnRefreshClick()
{
    ReadCurrentValues();
    lFuel->setText(QString::number(table.CurrentFuel / 100.0, 'f', 2));
    lSensor->setText(QString::number(table.CurrentAdc));
}

void TSensorFrame::VoltagePropertiesButtonClick()
{
    ReadCurrentValues();
    if (PointCount == 0)
        return;
    const QModelIndex focused = grid->currentIndex();
    if (!focused.isValid())
        return;
    // An editor open on the cell shows the new value at once.
    View->setData(View->index(focused.row(), Voltage), int(table.CurrentAdc));
}

void TSensorFrame::appendRow(const QVariant &adc, const QVariant &litres)
{
    auto *number = new QStandardItem;
    number->setData(PointCount + 1, Qt::EditRole);
    number->setEditable(false);
    auto *adcItem = new QStandardItem;
    adcItem->setData(adc, Qt::EditRole);
    auto *fuelItem = new QStandardItem;
    fuelItem->setData(litres, Qt::EditRole);
    View->insertRow(PointCount, {number, adcItem, fuelItem});
    ++PointCount;
}

void TSensorFrame::AInsertPointExecute()
{
    if (PointCount >= FuelTable::MaxPoints)
        return;
    appendRow(QVariant(), QVariant());
}

void TSensorFrame::ARemovePointExecute()
{
    const QModelIndex focused = grid->currentIndex();
    if (!focused.isValid())
        return;
    const int row = focused.row();
    int number = View->index(row, RNum).data().toInt();
    View->removeRow(row);
    --PointCount;
    for (int r = row; r < View->rowCount(); ++r)
        View->setData(View->index(r, RNum), number++);
}

void TSensorFrame::ALoadTableExecute()
{
    ALoadTable->setEnabled(false);
    QApplication::processEvents();
    const auto enable = qScopeGuard([this] {
        ALoadTable->setEnabled(true);
        QApplication::processEvents();
    });

    table.ReadPoints();

    PointCount = 0;
    View->removeRows(0, View->rowCount());
    Chart1->clear();
    for (const TFuelPoint &p : table.TablePoints()) {
        const double litres = p.Litres100 / 100.0;
        appendRow(int(p.AdcValue), litres);
        Chart1->addPoint(p.AdcValue, litres);
    }
}

QList<FuelRow> TSensorFrame::rows() const
{
    QList<FuelRow> out;
    for (int r = 0; r < View->rowCount(); ++r) {
        const QVariant adc = View->index(r, Voltage).data(Qt::EditRole);
        const QVariant litres = View->index(r, Fuel).data(Qt::EditRole);
        FuelRow row;
        if (adc.isValid())
            row.adc = adc.toLongLong();
        if (litres.isValid())
            row.litres = litres.toDouble();
        out.append(row);
    }
    return out;
}

void TSensorFrame::commitOpenEditor()
{
    const QModelIndex current = grid->currentIndex();
    QWidget *editor = current.isValid() ? grid->indexWidget(current) : nullptr;
    if (!editor)
        return;
    QAbstractItemDelegate *delegate = grid->itemDelegateForIndex(current);
    emit delegate->commitData(editor);
    emit delegate->closeEditor(editor);
}

void TSensorFrame::ASaveTableExecute()
{
    if (m_writing)
        return;
    m_writing = true;
    ASaveTable->setEnabled(false);
    QApplication::processEvents();
    const auto enable = qScopeGuard([this] {
        m_writing = false;
        ALUpdate();
        QApplication::processEvents();
    });

    // A value still being typed belongs to the table the user means to write.
    commitOpenEditor();
    const QString error = table.WritePoints(rows());
    if (!error.isEmpty())
        ShowError(error);
}

void TSensorFrame::AClearTableExecute()
{
    PointCount = 0;
    View->removeRows(0, View->rowCount());
    table.Clear();
}

void TSensorFrame::ALUpdate()
{
    const int count = View->rowCount();
    AInsertPoint->setEnabled(count < FuelTable::MaxPoints);
    ARemovePoint->setEnabled(count >= 1);
    ASaveTable->setEnabled(count >= 2 && !m_writing);
}
