#include "VersionInfo.h"

#include <QHash>

namespace {
const QString TableKey = QStringLiteral("StringFileInfo\\041904E3\\");

const QHash<QString, QString> &block()
{
    static const QHash<QString, QString> entries{
        {TableKey + QStringLiteral("CompanyName"), QStringLiteral("Тавирон")},
        {TableKey + QStringLiteral("FileDescription"), QStringLiteral("Тавирон Конфигуратор")},
        {TableKey + QStringLiteral("FileVersion"), QStringLiteral(TAVIRON_VERSION)},
        {TableKey + QStringLiteral("InternalName"), QStringLiteral("taviron-config")},
        {TableKey + QStringLiteral("OriginalFileName"), QStringLiteral("taviron-config")},
        {TableKey + QStringLiteral("ProductName"), QStringLiteral("Тавирон Конфигуратор")},
        {TableKey + QStringLiteral("ProductVersion"), QStringLiteral("1.0.0.0")},
    };
    return entries;
}
} // namespace

std::optional<QString> versionEntry(const QString &name)
{
    const auto it = block().constFind(name);
    if (it == block().constEnd())
        return std::nullopt;
    return *it;
}

QString versionEntryName(TVersionType type)
{
    static const char *const names[VersionTypeCount] = {
        "vtCompanyName",      "vtFileDescription", "vtFileVersion",    "vtInternalName",   "vtLegalCopyright",
        "vtLegalTradeMark", "vtOriginalFileName", "vtProductName", "vtProductVersion", "vtComments",
    };
    return QString::fromLatin1(names[type]).mid(2);
}

void ReadVersionInfo(TVersionInfo &info)
{
    for (int i = 0; i < VersionTypeCount; ++i) {
        const auto type = static_cast<TVersionType>(i);
        if (const auto text = versionEntry(TableKey + versionEntryName(type)))
            info[static_cast<size_t>(i)] = *text;
    }
}
