#pragma once

#include <QByteArray>
#include <QList>

// The fuel level sensor's calibration table in the terminal: up to 10 points
// (volume in hundredths of a litre, ADC reading), written from the last row
// down and committed by row 0.
class SimFuelTable
{
public:
    static constexpr int MaxPoints = 10;

    struct Point
    {
        quint16 litres100 = 0;
        quint16 adc = 0;
        bool operator==(const Point &) const = default;
    };

    // Reply to 14 01 k: k = 0 starts from the first point, 1 asks for the next.
    QByteArray readPoint(quint8 k);
    // Reply byte to 93 06 ...: 0 accepted, 1 refused. Flag 4 clears the table.
    quint8 writePoint(quint16 litres100, quint16 adc, quint8 flag, quint8 index);
    // The volume for an ADC reading, interpolated between the points.
    quint16 litresFor(quint16 adc) const;

    const QList<Point> &points() const { return m_points; }
    void setPoints(const QList<Point> &points) { m_points = points.mid(0, MaxPoints); }

private:
    QList<Point> m_points;
    QList<Point> m_pending; // a table being written, committed by row 0
    bool m_writing = false;
    int m_cursor = 0;
};
