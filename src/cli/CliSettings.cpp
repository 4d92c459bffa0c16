#include "CliSettings.h"

#include "settings/XmlStore.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

namespace {
const QString Setup = QStringLiteral("Setup");
constexpr std::array<qint32, 15> StoredRates = {110,   300,   600,   1200,  2400,  4800,   9600,  14400,
                                                19200, 38400, 56000, 57600, 115200, 128000, 256000};
} // namespace

bool CliSettings::isStoredRate(qint32 rate)
{
    return std::find(StoredRates.begin(), StoredRates.end(), rate) != StoredRates.end();
}

CliSettings CliSettings::load(const QString &fileName)
{
    CliSettings s;
    if (!QFileInfo::exists(fileName))
        return s;
    XmlStore store(fileName);
    store.open();
    s.port = store.readString(Setup, QStringLiteral("Com"), s.port);
    // A stored 0 stands for the default speed; a text that is not a number
    // counts as absent.
    const int rate = store.readInteger(Setup, QStringLiteral("BaudRate"), 0);
    if (isStoredRate(rate))
        s.baudRate = rate;
    s.messagesFile = store.readString(Setup, QStringLiteral("MessagesPath")) + QStringLiteral("messages.h");
    store.close();
    return s;
}
