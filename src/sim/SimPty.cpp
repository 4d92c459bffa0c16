#include "SimPty.h"

#include "SimLog.h"
#include "SimTerminal.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

SimPty::SimPty(SimTerminal &terminal, QObject *parent)
    : QObject(parent)
    , m_host(terminal, [this](const QByteArray &bytes) { write(bytes); })
{
}

SimPty::~SimPty()
{
    m_host.stop();
    delete m_notifier;
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool SimPty::fail(const QString &what)
{
    m_error = what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

bool SimPty::open(qint32 baudRate)
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0)
        return fail(QStringLiteral("posix_openpt"));
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
        return fail(QStringLiteral("grantpt/unlockpt"));
    const char *name = ::ptsname(m_master);
    if (!name)
        return fail(QStringLiteral("ptsname"));
    m_slavePath = QString::fromLocal8Bit(name);
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave < 0)
        return fail(m_slavePath);
    // A raw line until a client sets its own: no echo, no line editing.
    termios tio{};
    if (::tcgetattr(m_slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(m_slave, TCSANOW, &tio);
    }
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read);
    connect(m_notifier, &QSocketNotifier::activated, this, &SimPty::onReadable);
    m_host.setBaudRate(baudRate);
    m_host.start();
    return true;
}

void SimPty::onReadable()
{
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            m_host.fromProgram(QByteArray(buffer, qsizetype(n)));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return; // EAGAIN: all read
    }
}

void SimPty::write(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            // Nobody reads the line and its buffer is full: what has not been
            // read is stale, so it goes, as on a line without a listener.
            qCDebug(lcSim) << "pty full, dropping unread output";
            ::tcflush(m_slave, TCIFLUSH);
            const ssize_t again = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
            if (again <= 0)
                return;
            done += again;
        }
    }
}
