#pragma once

#include <QString>

// What the settings file gives the tool when the command line does not say:
// the port, its speed and the message header.
struct CliSettings
{
    QString port = QStringLiteral("COM1");
    qint32 baudRate = 9600;
    QString messagesFile = QStringLiteral("messages.h");

    // Reads "Setup" of the file. A missing file gives the defaults and is not
    // created: a read-only command leaves no settings file behind.
    static CliSettings load(const QString &fileName);

    // The 15 speeds the settings file may hold; any other stored number
    // leaves the port at its default.
    static bool isStoredRate(qint32 rate);
};
