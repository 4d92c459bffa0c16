#pragma once

#include <QString>

// One entry of the message catalogue: the message number, the identifier of
// its header line and the text the log shows for it.
struct TMessageString
{
    qint32 Index = 0;
    QString Name;
    QString Text;

    bool operator==(const TMessageString &) const = default;
};
