#include "CliContext.h"

#include "link/Pump.h"
#include "settings/XmlStore.h"

#include <algorithm>

CliContext::CliContext(Pump &pump, PortFactory portFactory, const CliOptions &options, QTextStream &out,
                       QTextStream &err, QTextStream &in)
    : m_pump(pump)
    , m_portFactory(std::move(portFactory))
    , m_out(out)
    , m_err(err)
    , m_in(in)
{
    m_settingsFile = options.settingsFile.value_or(XmlStore::defaultFileName());
    const CliSettings stored = CliSettings::load(m_settingsFile);
    m_portName = options.port.value_or(stored.port);
    m_baudRate = options.baudRate.value_or(stored.baudRate);
    m_messagesFile = options.messagesFile.value_or(stored.messagesFile);
}

CliSession &CliContext::session()
{
    if (!m_session) {
        auto session = std::make_unique<CliSession>(m_pump, m_portFactory(m_portName));
        session->open(m_baudRate);
        m_session = std::move(session);
    }
    return *m_session;
}

void CliContext::note(const QString &line)
{
    m_err << line << Qt::endl;
}

CliContext::WaitEnd CliContext::wait(qint64 ms, const std::function<bool()> &done)
{
    // In steps, so that a port that went away is noticed even when nothing
    // wakes the pump; the steps count the time, which keeps virtual time in
    // tests and real time at the console alike.
    constexpr int StepMs = 100;
    CliSession &s = session();
    const auto over = [&] { return done() || interrupted() || !s.lostReason().isEmpty(); };
    for (qint64 waited = 0; ms < 0 || waited < ms; waited += StepMs) {
        if (done())
            return WaitEnd::Done;
        if (interrupted())
            return WaitEnd::Interrupted;
        if (!s.lostReason().isEmpty())
            return WaitEnd::PortLost;
        m_pump.waitEvents(ms < 0 ? StepMs : int(std::min<qint64>(StepMs, ms - waited)), over);
    }
    return done() ? WaitEnd::Done : WaitEnd::TimedOut;
}
