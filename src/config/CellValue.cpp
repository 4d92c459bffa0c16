#include "CellValue.h"

#include "CellNumbers.h"
#include "ConfigCells.h"
#include "ParamError.h"
#include "Win1251.h"

#include <cmath>

namespace CellValue {

namespace {
[[noreturn]] void fail(const ConfigCells &cells, const CellRef &cell, const QString &why)
{
    throw ParamError(QStringLiteral("«%1»: %2").arg(cells.caption(cell), why));
}

QString shown(const QVariant &v)
{
    return v.isValid() ? v.toString() : QStringLiteral("(пусто)");
}
} // namespace

QString text(const ConfigCells &cells, const CellRef &cell, const QString &nullText)
{
    const QVariant v = cells.value(cell);
    if (!v.isValid() || v.isNull())
        return nullText;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
        return QString::number(v.toDouble(), 'g', 15);
    return v.toString();
}

TBuf bytes(const ConfigCells &cells, const CellRef &cell, const QString &nullText)
{
    TBuf b;
    guarded(cells, cell, [&] { b = Win1251::encode(text(cells, cell, nullText)); });
    return b;
}

qint64 integer(const ConfigCells &cells, const CellRef &cell, qint64 minimum, qint64 maximum)
{
    const QVariant v = cells.value(cell);
    bool ok = false;
    qint64 n = 0;
    if (v.typeId() == QMetaType::Double) {
        const double d = v.toDouble();
        ok = d == std::floor(d) && d >= minimum && d <= maximum;
        n = ok ? static_cast<qint64>(d) : 0;
    } else if (v.isValid() && v.typeId() != QMetaType::Bool) {
        n = v.toString().trimmed().toLongLong(&ok);
    }
    if (!ok || n < minimum || n > maximum)
        fail(cells, cell, QStringLiteral("значение «%1» не целое число от %2 до %3").arg(shown(v)).arg(minimum).arg(maximum));
    return n;
}

double number(const ConfigCells &cells, const CellRef &cell)
{
    const QVariant v = cells.value(cell);
    bool ok = v.typeId() == QMetaType::Double || v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int;
    double d = ok ? v.toDouble() : 0;
    if (!ok && v.isValid() && v.typeId() != QMetaType::Bool)
        d = v.toString().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d))
        fail(cells, cell, QStringLiteral("значение «%1» не число").arg(shown(v)));
    return d;
}

quint16 word(const ConfigCells &cells, const CellRef &cell)
{
    return static_cast<quint16>(integer(cells, cell, 0, 0xFFFF));
}

quint32 dword(const ConfigCells &cells, const CellRef &cell)
{
    return static_cast<quint32>(integer(cells, cell, 0, 0xFFFFFFFFu));
}

float single(const ConfigCells &cells, const CellRef &cell)
{
    const double d = number(cells, cell);
    const float x = static_cast<float>(d);
    if (!std::isfinite(x))
        fail(cells, cell, QStringLiteral("число %1 вне диапазона 32-битного числа с плавающей точкой").arg(d));
    return x;
}

quint16 millivolts(const ConfigCells &cells, const CellRef &cell)
{
    const qint64 mv = CellNumbers::voltsToMillivolts(number(cells, cell));
    if (mv < 0 || mv > 0xFFFF)
        fail(cells, cell, QStringLiteral("напряжение %1 мВ вне диапазона 0..65535 мВ").arg(mv));
    return static_cast<quint16>(mv);
}

bool boolean(const ConfigCells &cells, const CellRef &cell)
{
    const QVariant v = cells.value(cell);
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    const QString t = v.toString();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (!v.isValid() || t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    fail(cells, cell, QStringLiteral("значение «%1» не флажок").arg(t));
}

void guarded(const ConfigCells &cells, const CellRef &cell, const std::function<void()> &fn)
{
    try {
        fn();
    } catch (const ParamError &e) {
        fail(cells, cell, e.text());
    }
}

} // namespace CellValue
