#include "SimProcess.h"

#include <QElapsedTimer>

SimProcess::~SimProcess()
{
    if (process.state() != QProcess::NotRunning)
        kill();
}

QString SimProcess::program()
{
    return QStringLiteral(TAVIRON_SIM);
}

bool SimProcess::start(const QStringList &args)
{
    process.start(program(), args);
    if (!process.waitForStarted(5000))
        return false;
    QElapsedTimer t;
    t.start();
    while (!process.canReadLine() && t.elapsed() < 5000)
        process.waitForReadyRead(100);
    m_path = QString::fromLocal8Bit(process.readLine()).trimmed();
    return m_path.startsWith(QLatin1String("/dev/"));
}

bool SimProcess::stop()
{
    process.terminate();
    return process.waitForFinished(5000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void SimProcess::kill()
{
    process.kill();
    process.waitForFinished(5000);
}
