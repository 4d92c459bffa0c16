#pragma once

#include <QChartView>

class QLineSeries;
class QValueAxis;

// The chart of the fuel table: litres over ADC values, one red line whose
// points are kept in ascending ADC order.
class FuelChart : public QChartView
{
    Q_OBJECT
public:
    explicit FuelChart(QWidget *parent = nullptr);

    void clear();
    // Inserts the point where its X keeps the series ascending.
    void addPoint(double adc, double litres);

    QLineSeries *Ser = nullptr;
    QValueAxis *axisX = nullptr;
    QValueAxis *axisY = nullptr;

private:
    void fitAxes();
};
