#include "FuelChart.h"

#include <QChart>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>

namespace {
// Range of an empty chart, and the margin around a single value.
constexpr double EmptyMax = 100.0;
constexpr double SingleMargin = 1.0;
constexpr int Ticks = 11;

void fit(QValueAxis *axis, double lo, double hi)
{
    if (lo == hi) {
        lo -= SingleMargin;
        hi += SingleMargin;
    }
    axis->setRange(lo, hi);
    axis->setTickCount(Ticks);
    axis->applyNiceNumbers();
}
} // namespace

FuelChart::FuelChart(QWidget *parent)
    : QChartView(parent)
{
    // The view comes with a chart of its own; a replacement would leave it orphaned.
    QChart *chart = this->chart();
    chart->legend()->hide();
    chart->setTitle(QString());

    Ser = new QLineSeries(chart);
    Ser->setPen(QPen(Qt::red, 2));
    chart->addSeries(Ser);

    axisX = new QValueAxis(chart);
    axisX->setTitleText(QStringLiteral("Значения АЦП"));
    axisX->setLabelFormat(QStringLiteral("%d"));
    axisY = new QValueAxis(chart);
    axisY->setTitleText(QStringLiteral("Топливо (литры)"));
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    Ser->attachAxis(axisX);
    Ser->attachAxis(axisY);

    setRenderHint(QPainter::Antialiasing);
    fitAxes();
}

void FuelChart::clear()
{
    Ser->clear();
    fitAxes();
}

void FuelChart::addPoint(double adc, double litres)
{
    const QList<QPointF> points = Ser->points();
    const auto at = std::upper_bound(points.begin(), points.end(), adc, [](double x, const QPointF &p) { return x < p.x(); });
    Ser->insert(static_cast<int>(at - points.begin()), QPointF(adc, litres));
    fitAxes();
}

void FuelChart::fitAxes()
{
    const QList<QPointF> points = Ser->points();
    if (points.isEmpty()) {
        fit(axisX, 0, EmptyMax);
        fit(axisY, 0, EmptyMax);
        return;
    }
    const auto [minY, maxY] = std::minmax_element(points.begin(), points.end(), [](auto a, auto b) { return a.y() < b.y(); });
    fit(axisX, points.first().x(), points.last().x());
    // Litres start at the bottom edge, so an empty tank sits on the axis.
    fit(axisY, std::min(0.0, minY->y()), maxY->y());
}
