#include "TestItems.h"

namespace TestItems {

const QList<Item> &items()
{
    static const QList<Item> list = {
        { QStringLiteral("Проверка ГЛОНАСС/GPS"), Gps },
        { QStringLiteral("Проверка GSM CCID"), GsmCcid },
        { QStringLiteral("Проверка GSM IMEI"), GsmImei },
        { QStringLiteral("Аудиотракт"), Audio },
        { QStringLiteral("Проверка FLASH памяти"), Flash },
        { QStringLiteral("Проверка управления реле"), Relays },
        { QStringLiteral("Калибровка АЦП"), Adc },
    };
    return list;
}

} // namespace TestItems
