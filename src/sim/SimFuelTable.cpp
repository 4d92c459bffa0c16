#include "SimFuelTable.h"

#include <QtEndian>

#include <algorithm>

namespace {
enum : quint8 { MorePoints = 1, LastPoint = 2, NoPoint = 3 };
enum : quint8 { FlagLastRow = 0, FlagMiddleRow = 1, FlagFirstRow = 2, FlagClear = 4 };
enum : quint8 { Accepted = 0, Refused = 1 };
} // namespace

QByteArray SimFuelTable::readPoint(quint8 k)
{
    m_cursor = k == 0 ? 0 : m_cursor + 1;
    QByteArray b(6, 0);
    if (m_cursor >= m_points.size()) {
        b[4] = static_cast<char>(NoPoint);
        b[5] = static_cast<char>(qMin(m_cursor, MaxPoints - 1));
        return b;
    }
    const Point &p = m_points.at(m_cursor);
    qToLittleEndian(p.litres100, b.data());
    qToLittleEndian(p.adc, b.data() + 2);
    b[4] = static_cast<char>(m_cursor == m_points.size() - 1 ? LastPoint : MorePoints);
    b[5] = static_cast<char>(m_cursor);
    return b;
}

quint8 SimFuelTable::writePoint(quint16 litres100, quint16 adc, quint8 flag, quint8 index)
{
    if (flag == FlagClear) {
        m_points.clear();
        m_pending.clear();
        m_writing = false;
        return Accepted;
    }
    if (index >= MaxPoints)
        return Refused;
    const Point point{litres100, adc};
    switch (flag) {
    case FlagLastRow:
        // The last row comes first and fixes the size of the new table.
        m_pending = QList<Point>(index + 1);
        m_pending[index] = point;
        m_writing = true;
        return Accepted;
    case FlagMiddleRow:
        if (!m_writing || index >= m_pending.size())
            return Refused;
        m_pending[index] = point;
        return Accepted;
    case FlagFirstRow:
        if (index != 0)
            return Refused;
        if (!m_writing)
            m_pending = QList<Point>(1);
        m_pending[0] = point;
        m_points = m_pending;
        m_pending.clear();
        m_writing = false;
        return Accepted;
    default:
        return Refused;
    }
}

quint16 SimFuelTable::litresFor(quint16 adc) const
{
    if (m_points.isEmpty())
        return 0;
    QList<Point> sorted = m_points;
    std::sort(sorted.begin(), sorted.end(), [](const Point &a, const Point &b) { return a.adc < b.adc; });
    if (adc <= sorted.first().adc)
        return sorted.first().litres100;
    if (adc >= sorted.last().adc)
        return sorted.last().litres100;
    for (qsizetype i = 1; i < sorted.size(); ++i) {
        const Point &a = sorted.at(i - 1);
        const Point &b = sorted.at(i);
        if (adc > b.adc)
            continue;
        const double t = double(adc - a.adc) / double(b.adc - a.adc);
        return static_cast<quint16>(a.litres100 + t * (double(b.litres100) - double(a.litres100)) + 0.5);
    }
    return sorted.last().litres100;
}
