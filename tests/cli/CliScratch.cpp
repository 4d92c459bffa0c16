#include "CliScratch.h"

#include <QFile>

QString CliScratch::file(const QByteArray &content, const QString &name) const
{
    const QString path = filePath(name.isEmpty() ? m_inputName : name);
    QFile f(path);
    // An empty path makes the test that needed the file fail where it uses it.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(content) != content.size())
        return {};
    return path;
}

QStringList CliScratch::args(const QStringList &command) const
{
    return QStringList{QStringLiteral("--settings"), settings(), QStringLiteral("--port"), QStringLiteral("sim")} + command;
}
