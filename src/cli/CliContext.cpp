#include "CliContext.h"

#include "settings/XmlStore.h"

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
