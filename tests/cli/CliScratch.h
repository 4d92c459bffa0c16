#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A scratch folder for one test of the tool: its settings file and the files
// it reads, and the arguments that point it at them and at the simulated
// terminal inside the process.
class CliScratch
{
public:
    // inputName: the file that file() writes unless told otherwise.
    explicit CliScratch(const QString &inputName = QStringLiteral("input"))
        : m_inputName(inputName)
    {
    }

    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    QString settings() const { return filePath(QStringLiteral("tvConfigC.xml")); }
    // Writes content to a file in the folder; returns its path, or an empty
    // one when it could not be written.
    QString file(const QByteArray &content, const QString &name = {}) const;
    QStringList args(const QStringList &command) const;

private:
    QTemporaryDir m_dir;
    QString m_inputName;
};
