#include "OrderedJson.h"

#include <QJsonArray>
#include <QJsonDocument>

OrderedJson &OrderedJson::add(const QString &key, const QJsonValue &value)
{
    m_members.append({key, value, nullptr});
    return *this;
}

OrderedJson &OrderedJson::add(const QString &key, const OrderedJson &object)
{
    m_members.append({key, QJsonValue(), std::make_shared<const OrderedJson>(object)});
    return *this;
}

QString OrderedJson::scalar(const QJsonValue &value)
{
    // Qt's own writer does the escaping and the shortest exact number text.
    const QByteArray text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(text.mid(1, text.size() - 2));
}

QString OrderedJson::memberText(const Member &m, const QString &separator) const
{
    return scalar(m.key) + separator + (m.object ? m.object->toLine() : scalar(m.value));
}

QString OrderedJson::toText() const
{
    if (m_members.isEmpty())
        return QStringLiteral("{}");
    QStringList lines;
    for (const Member &m : m_members)
        lines << QStringLiteral("  ") + memberText(m, QStringLiteral(": "));
    return QStringLiteral("{\n") + lines.join(QStringLiteral(",\n")) + QStringLiteral("\n}");
}

QString OrderedJson::toLine() const
{
    QStringList parts;
    for (const Member &m : m_members)
        parts << memberText(m, QStringLiteral(":"));
    return QLatin1Char('{') + parts.join(QLatin1Char(',')) + QLatin1Char('}');
}

QString OrderedJson::arrayText(const QList<OrderedJson> &items)
{
    if (items.isEmpty())
        return QStringLiteral("[]");
    QStringList lines;
    for (const OrderedJson &item : items)
        lines << QStringLiteral("  ") + item.toLine();
    return QStringLiteral("[\n") + lines.join(QStringLiteral(",\n")) + QStringLiteral("\n]");
}
