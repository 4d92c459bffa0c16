#pragma once

#include "TMessageString.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The terminal's messages, read from the firmware's "messages.h". The terminal
// logs only a message number; the n-th line of the header that carries a
// message comment is message n, whatever value the header writes.
class MessageCatalogue
{
public:
    // Reads folder + "messages.h" (plain concatenation: the folder ends with a
    // separator, and an empty folder means the current directory). A missing
    // file leaves the catalogue as it was and is not an error; a file that
    // exists but cannot be read leaves it as it was too and returns false
    // (errorString()).
    bool LoadMessages(const QString &folder);
    // Replaces the catalogue with the message lines of a header's bytes.
    void LoadText(const QByteArray &bytes);
    // Stores the entry for one message line at index.
    void ParseMessageLine(const QString &line, int index);

    static bool isMessageLine(const QString &line);
    // The firmware team writes the header in Windows-1251; a file that is
    // valid UTF-8 throughout is taken as UTF-8.
    static QString decodeHeader(const QByteArray &bytes);

    QString errorString() const { return m_error; }

    QList<TMessageString> MessageStrings;
    qint32 MessageCount = 0;

private:
    QString m_error;
};
