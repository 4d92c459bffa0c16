#pragma once

#include "ScriptedPort.h"
#include "VirtualPump.h"
#include "link/Link.h"

#include <QHash>
#include <QList>

// A terminal that keeps parameter payloads by read code: it answers a read
// with the payload it holds (or stays silent when it holds none), takes a
// write into its store and confirms it. Every request body is recorded.
class FakeTerminal
{
public:
    FakeTerminal();

    QByteArray transact(const QByteArray &request) { return link.Transact(request); }
    // The request bodies in order, as hex ("01", "98 02 5A 00").
    QStringList requestsHex() const;

    VirtualPump pump;
    Link link { pump };
    ScriptedPort port { pump };
    QHash<quint8, QByteArray> values;
    QList<QByteArray> requests;
    bool silent = false;
};

QByteArray hex(const char *spaced);
