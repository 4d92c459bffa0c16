#include "TCustomNAVParam.h"

#include "ConfigLog.h"
#include "ParamError.h"
#include "ParamRegistry.h"
#include "Win1251.h"
#include "settings/XmlStore.h"

Q_LOGGING_CATEGORY(lcConfig, "taviron.config", QtWarningMsg)

TCustomNAVParam::TCustomNAVParam(
    ParamRegistry &registry, quint8 SetCode, quint8 GetCode, XmlStore *Store, QString Section, QString Key)
    : Store(Store)
    , Section(std::move(Section))
    , Key(std::move(Key))
    , SetCode(SetCode)
    , GetCode(GetCode)
    , m_registry(registry)
{
    m_registry.ParamList.append(this);
}

bool TCustomNAVParam::hasStoreKey() const
{
    return Store && !Section.isEmpty() && !Key.isEmpty();
}

QString TCustomNAVParam::readText(const QString &suffix, const QString &def) const
{
    return hasStoreKey() ? Store->readString(Section, Key + suffix, def) : def;
}

void TCustomNAVParam::writeText(const QString &suffix, const QString &value) const
{
    if (hasStoreKey())
        Store->writeString(Section, Key + suffix, value);
}

bool TCustomNAVParam::readBool(const QString &suffix) const
{
    return readText(suffix, QStringLiteral("0")) == QLatin1String("1");
}

void TCustomNAVParam::writeBool(const QString &suffix, bool value) const
{
    writeText(suffix, value ? QStringLiteral("1") : QStringLiteral("0"));
}

TBuf TCustomNAVParam::transact(const TBuf &request) const
{
    return m_registry.transact(request);
}

void TCustomNAVParam::LoadFromStore()
{
    Synced = false;
    if (!hasStoreKey())
        return;
    const QString text = readText({}, {});
    try {
        Value = Win1251::encode(text);
    } catch (const ParamError &e) {
        // A hand-edited file may hold what the terminal cannot: better an empty
        // value than one that would be sent damaged.
        qCWarning(lcConfig) << "settings key" << Key << "ignored:" << e.text();
        Value.clear();
    }
}

void TCustomNAVParam::SaveToStore()
{
    writeText({}, Win1251::decode(Value));
}
