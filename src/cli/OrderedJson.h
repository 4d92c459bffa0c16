#pragma once

#include <QJsonValue>
#include <QList>
#include <QString>

#include <memory>

// A JSON object that keeps its members in the order they were added
// (QJsonObject sorts them), so the tool's output reads like the
// configuration page: identity first, then connection, events, inputs.
class OrderedJson
{
public:
    OrderedJson &add(const QString &key, const QJsonValue &value);
    OrderedJson &add(const QString &key, const OrderedJson &object);

    // One member per line, two spaces in; nested objects on one line.
    QString toText() const;
    // Everything on one line, without blanks: {"litres":12.5,"adc":900}.
    QString toLine() const;

    // An array of objects, one per line.
    static QString arrayText(const QList<OrderedJson> &items);

private:
    struct Member
    {
        QString key;
        QJsonValue value;
        std::shared_ptr<const OrderedJson> object;
    };
    static QString scalar(const QJsonValue &value);
    QString memberText(const Member &m, const QString &separator) const;

    QList<Member> m_members;
};
