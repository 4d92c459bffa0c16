#pragma once

#include <QJsonValue>
#include <QString>

// Input files of the tool: read whole, parsed as JSON; any failure raises
// CliError (bad input) with the file's name, and where the syntax breaks,
// the line and column.
namespace JsonFile {

QJsonValue read(const QString &fileName);
// The same for a file's bytes already read; fileName only names it in messages.
QJsonValue parse(const QByteArray &bytes, const QString &fileName);

} // namespace JsonFile
