#include "JsonFile.h"

#include "CliError.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace JsonFile {

QJsonValue read(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw CliError::usage(QStringLiteral("cannot read %1: %2").arg(fileName, file.errorString()));
    return parse(file.readAll(), fileName);
}

QJsonValue parse(const QByteArray &bytes, const QString &fileName)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        const QByteArray before = bytes.left(error.offset);
        const qsizetype line = before.count('\n') + 1;
        const qsizetype column = error.offset - (before.lastIndexOf('\n') + 1) + 1;
        throw CliError::usage(
            QStringLiteral("%1:%2:%3: not valid JSON: %4").arg(fileName).arg(line).arg(column).arg(error.errorString()));
    }
    return doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object());
}

} // namespace JsonFile
