#pragma once

#include <QSaveFile>
#include <QString>

class QTextStream;

// Where a command's result goes: stdout, or the file of -o. The file is
// opened before anything is sent (a path that cannot be written is bad usage
// and costs no traffic) and replaced in one step only when the result is
// complete.
class ResultOutput
{
public:
    ResultOutput(const QString &fileName, QTextStream &out);

    // The text and a final newline.
    void write(const QString &text);

private:
    QSaveFile m_file;
    QTextStream &m_out;
    bool m_toFile;
};
