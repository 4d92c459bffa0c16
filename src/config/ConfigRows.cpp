#include "ConfigRows.h"

namespace ConfigRows {

// The editors' own patterns, with the digit and space classes spelled out in
// ASCII: two digits of days, hours 0 to 23, minutes and seconds 00 to 59.
const QString IntervalMask = QStringLiteral("[0-9]{2}/(0?[0-9]|1[0-9]|2[0-3])/[0-5][0-9]/[0-5][0-9]");
const QString SerialNumberMask = QStringLiteral("[A-Z] [0-9]{2} [0-9]{6}");

namespace {

EditorDef def(const QString &caption, EditorKind kind, QVariant initial)
{
    EditorDef e;
    e.caption = caption;
    e.kind = kind;
    e.initial = std::move(initial);
    return e;
}
EditorDef text(const QString &caption, QVariant initial = QString())
{
    return def(caption, EditorKind::Text, std::move(initial));
}
EditorDef label(const QString &caption, QVariant initial = QString())
{
    return def(caption, EditorKind::Label, std::move(initial));
}
EditorDef masked(const QString &caption, const QString &mask, QVariant initial = QString())
{
    EditorDef e = def(caption, EditorKind::Masked, std::move(initial));
    e.mask = mask;
    return e;
}
EditorDef intSpin(const QString &caption, double minimum, double maximum)
{
    EditorDef e = def(caption, EditorKind::IntSpin, QVariant(qint64(0)));
    e.minimum = minimum;
    e.maximum = maximum;
    return e;
}
EditorDef floatSpin(const QString &caption, double initial, double minimum, double maximum, int decimals, bool trimZeros)
{
    EditorDef e = def(caption, EditorKind::FloatSpin, QVariant(initial));
    e.minimum = minimum;
    e.maximum = maximum;
    e.decimals = decimals;
    e.trimZeros = trimZeros;
    return e;
}
EditorDef check(const QString &caption, int width = 0)
{
    EditorDef e = def(caption, EditorKind::Check, QVariant(false));
    e.width = width;
    return e;
}
EditorDef radio(const QString &caption)
{
    return def(caption, EditorKind::Radio, QVariant(false));
}

RowDef category(const QString &name, const QString &caption, const QString &parent = {}, bool expandable = true)
{
    RowDef r;
    r.name = name;
    r.kind = RowKind::Category;
    r.caption = caption;
    r.parent = parent;
    r.expandable = expandable;
    return r;
}
RowDef editorRow(const QString &name, const QString &parent, EditorDef e)
{
    RowDef r;
    r.name = name;
    r.parent = parent;
    r.editors = { std::move(e) };
    return r;
}
RowDef multiRow(const QString &name, const QString &parent, QList<EditorDef> editors)
{
    RowDef r;
    r.name = name;
    r.kind = RowKind::MultiEditor;
    r.parent = parent;
    r.editors = std::move(editors);
    return r;
}

QList<RowDef> build()
{
    const QString general = QStringLiteral("crGeneral");
    const QString connection = QStringLiteral("crConnection");
    const QString parameters = QStringLiteral("crParameters");
    const QString perimetr = QStringLiteral("crPerimetr");
    const QString events = QStringLiteral("crEvents");
    const QString sensors = QStringLiteral("crSensors");
    const QString digital = QStringLiteral("crDigitalSensors");
    constexpr quint32 MaxDWord = 0xFFFFFFFFu;

    QList<RowDef> rows;
    rows << category(general, QStringLiteral("Общие"))
         << editorRow(QStringLiteral("erVersion"), general, text(QStringLiteral("Версия аппаратной платформы")))
         << editorRow(QStringLiteral("erFirmvareVersion"), general, label(QStringLiteral("Версия программного обеспечения")))
         << multiRow(QStringLiteral("erSIMCCID"), general, { label(QStringLiteral("SIM-card CCID")) })
         << editorRow(QStringLiteral("erIMEI"), general, label(QStringLiteral("IMEI терминала"), QVariant()))
         << multiRow(QStringLiteral("erADCCalibrationFactor"), general,
                { label(QStringLiteral("Коэффициент калибровки АЦП"), QVariant(0.0)) })
         << multiRow(QStringLiteral("erSerialNumber"), general,
                { masked(QStringLiteral("Серийный номер"), SerialNumberMask, QVariant()) });

    rows << category(connection, QStringLiteral("Связь"))
         << multiRow(QStringLiteral("erBase"), connection,
                { text(QStringLiteral("Телефон базы")), text(QStringLiteral("Пароль базы")) })
         << multiRow(QStringLiteral("erOwner"), connection,
                { text(QStringLiteral("Телефон владельца")), text(QStringLiteral("Пароль владельца")) })
         << multiRow(QStringLiteral("erDialing"), connection, { text(QStringLiteral("Телефон дозвона")) })
         << multiRow(QStringLiteral("erIP"), connection,
                { text(QStringLiteral("IP адрес")), text(QStringLiteral("Порт"), QStringLiteral("0")) })
         << multiRow(QStringLiteral("erAPN"), connection,
                { text(QStringLiteral("APN")), text(QStringLiteral("Login")), text(QStringLiteral("Password")) });

    rows << category(parameters, QStringLiteral("Параметры событий"))
         << multiRow(QStringLiteral("erTimer"), parameters,
                { masked(QStringLiteral("Таймер (Дни/часы/минуты/секунды)"), IntervalMask) })
         << multiRow(QStringLiteral("erDistance"), parameters, { intSpin(QStringLiteral("Дистанция (метры)"), 100, MaxDWord) })
         << category(perimetr, QStringLiteral("Периметр"), parameters, false)
         << multiRow(QStringLiteral("erPerimetr"), perimetr,
                { floatSpin(QStringLiteral("Широта (гр)"), 0, -90, 90, 6, false),
                    floatSpin(QStringLiteral("Долгота (гр)"), 0, -180, 180, 6, false),
                    intSpin(QStringLiteral("Радиус (м)"), 1, 0xFFFF) })
         << multiRow(QStringLiteral("erSpeed"), parameters, { intSpin(QStringLiteral("Скорость (км/ч)"), 0, 300) })
         << multiRow(QStringLiteral("erVoltageMAX"), parameters,
                { floatSpin(QStringLiteral("Максимальное напряжение (В)"), 12, 6, 50, 3, true) })
         << multiRow(QStringLiteral("erVoltageMIN"), parameters,
                { floatSpin(QStringLiteral("Минимальное напряжение (В)"), 6, 6, 50, 3, true) })
         << multiRow(QStringLiteral("erParkingTime"), parameters,
                { masked(QStringLiteral("Стоянка (Дни/часы/минуты/секунды)"), IntervalMask) });

    RowDef autoTransfer = category(QStringLiteral("crAutoTransfer"), QStringLiteral("Автопередача"));
    autoTransfer.hidden = true;
    rows << autoTransfer;

    rows << category(events, QStringLiteral("События"));
    const struct
    {
        const char *category;
        const char *row;
        QString caption;
    } eventRows[] = {
        { "crActivation", "erActivationEvent", QStringLiteral("Включение") },
        { "crReload", "erReloadEvent", QStringLiteral("Перезагрузка") },
        { "crTimer", "erTimerEvent", QStringLiteral("Таймер") },
        { "crDistanceEvent", "erDistanceEvent", QStringLiteral("Дистанция") },
        { "crDSensorsEvent", "erDSensorsEvent", QStringLiteral("Датчики") },
        { "crVoltageMaxEvent", "erVoltageMaxEvent", QStringLiteral("Напряжение выше максимального") },
        { "crVoltageMinEvent", "erVoltageMinEvent", QStringLiteral("Напряжение ниже минимального") },
        { "crSpeedEvent", "erSpeedEvent", QStringLiteral("Скорость") },
        { "crPerimetrINEvent", "erPerimetrINEvent", QStringLiteral("Периметр (вход в зону)") },
        { "crPerimetrOUTEvent", "erPerimetrOUTEvent", QStringLiteral("Периметр (выход из зоны)") },
        { "crParkingEvent", "erParkingEvent", QStringLiteral("Стоянка") },
        { "crAlarmProp", "erAlarmProp", QStringLiteral("Тревога") },
    };
    for (const auto &e : eventRows) {
        const QString cat = QString::fromLatin1(e.category);
        rows << category(cat, e.caption, events, false)
             << multiRow(QString::fromLatin1(e.row), cat,
                    { check(QStringLiteral("SMS")), check(QStringLiteral("GPRS")), check(QStringLiteral("SMS владельцу"), 60) });
    }

    rows << category(sensors, QStringLiteral("Датчики"))
         << category(digital, QStringLiteral("Конфигурация цифровых датчиков"), sensors, false);
    QList<EditorDef> inputs;
    for (int i = 1; i <= 4; ++i)
        inputs << radio(QStringLiteral("Датчик %1").arg(i));
    rows << multiRow(QStringLiteral("erDigitalSensors"), digital, inputs);
    return rows;
}

} // namespace

const QList<RowDef> &rows()
{
    static const QList<RowDef> table = build();
    return table;
}

const RowDef *find(const QString &name)
{
    for (const RowDef &r : rows())
        if (r.name == name)
            return &r;
    return nullptr;
}

const EditorDef *editor(const QString &row, int editor)
{
    const RowDef *r = find(row);
    return r && editor >= 0 && editor < r->editors.size() ? &r->editors.at(editor) : nullptr;
}

} // namespace ConfigRows
