// The link layer against the simulated terminal in virtual time: every
// command of the catalogue, decoded as the program decodes it.
#include "ScriptedPort.h"
#include "ScriptedSim.h"
#include "VirtualPump.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "sim/SimTerminal.h"

#include <QtTest>

using namespace Commands;

namespace {
struct Bench
{
    VirtualPump pump;
    Link link{pump};
    ScriptedPort port{pump};
    SimTerminal sim{42};
    ScriptedSim host{pump, port, sim};
    Bench()
    {
        port.open();
        port.setReceiver([this](const QByteArray &b) { link.ComRxChar(b); });
        link.setPort(&port);
        link.PortConnected = true;
    }
};
} // namespace

class tst_SimLink : public QObject
{
    Q_OBJECT
private slots:
    void readsEveryParameter();
    void writesEveryWritableParameter();
};

void tst_SimLink::readsEveryParameter()
{
    Bench b;
    for (const ParamCode &p : paramCodes())
        QCOMPARE(b.link.Transact(readParam(p.number)), b.sim.readValue(p.number));
    QCOMPARE(b.link.NakCount, 0);
    QCOMPARE(b.port.written.size(), paramCodes().size());
}

void tst_SimLink::writesEveryWritableParameter()
{
    Bench b;
    for (const ParamCode &p : paramCodes()) {
        if (!p.writeCode)
            continue;
        const int length = SimParameters::valueLength(p.kind);
        const QByteArray value = length < 0 ? QByteArray("new ") + p.name : QByteArray(length, char(0x80 | p.number));
        QCOMPARE(b.link.Transact(writeParam(p.writeCode, value)), QByteArray(1, 0));
        QCOMPARE(b.sim.parameters().value(p.number), value);
    }
}

QTEST_GUILESS_MAIN(tst_SimLink)
#include "tst_simlink.moc"
