#include "CliBench.h"

#include "cli/Cli.h"

#include <QBuffer>
#include <QTextStream>

CliBench::CliBench(quint32 seed)
    : sim(seed)
{
}

CliBench::~CliBench() = default;

int CliBench::run(const QStringList &args, const QByteArray &stdinText)
{
    QByteArray outBytes;
    QByteArray errBytes;
    QByteArray inBytes = stdinText;
    QBuffer outBuffer(&outBytes);
    QBuffer errBuffer(&errBytes);
    QBuffer inBuffer(&inBytes);
    outBuffer.open(QIODevice::WriteOnly);
    errBuffer.open(QIODevice::WriteOnly);
    inBuffer.open(QIODevice::ReadOnly);
    QTextStream outStream(&outBuffer);
    QTextStream errStream(&errBuffer);
    QTextStream inStream(&inBuffer);

    ScriptedPort *port = nullptr;
    portOpened = false;
    auto factory = [&](const QString &name) -> std::shared_ptr<Port> {
        auto p = std::make_shared<ScriptedPort>(pump);
        Port::Settings s = p->settings();
        s.name = name;
        p->setSettings(s);
        p->failOpen = failOpen;
        m_hosts.push_back(std::make_unique<ScriptedSim>(pump, *p, sim));
        m_ports.push_back(p);
        port = p.get();
        portOpened = !failOpen;
        return p;
    };
    Cli cli(pump, factory, outStream, errStream, inStream);
    cli.interrupted = interrupted;
    const int status = cli.run(QStringList{QStringLiteral("taviron-cli")} + args);
    outStream.flush();
    errStream.flush();
    out = QString::fromUtf8(outBytes);
    err = QString::fromUtf8(errBytes);
    written = port ? port->written : QList<QByteArray>{};
    return status;
}

QStringList CliBench::requests() const
{
    QStringList list;
    for (const QByteArray &frame : written)
        list << QString::fromLatin1(frame.mid(4, frame.size() - 5).toHex(' '));
    return list;
}
