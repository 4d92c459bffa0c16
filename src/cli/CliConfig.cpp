#include "CliConfig.h"

#include "CliError.h"
#include "CliSession.h"
#include "config/ConfigProgress.h"
#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"
#include "config/ParamsFile.h"
#include "link/Commands.h"

CliConfig::CliConfig(CliSession &session, XmlStore *store)
    : params(store, [this](const TBuf &request) { return transact(request); })
    , m_session(session)
{
    // The input names (and, until read, every value) as the page shows them
    // at start-up.
    ParamsFile::ParamsToGrid(params, cells);
}

TBuf CliConfig::transact(const TBuf &request)
{
    const quint8 code = static_cast<quint8>(request.at(0));
    if (m_sendOnly && !m_sendOnly->contains(code))
        return {};
    const CliSession::Reply reply = m_session.exchange(request);
    if (!reply.answered && !m_unanswered)
        m_unanswered = code;
    return reply.data;
}

void CliConfig::failIfUnanswered(const QString &what) const
{
    if (!m_unanswered)
        return;
    const quint8 code = *m_unanswered;
    const Commands::ParamCode *p = Commands::paramCode(code >= Commands::WriteOffset ? quint8(code - Commands::WriteOffset) : code);
    throw CliError::device(QStringLiteral("the terminal did not answer the %1 of %2 (request %3); stopped there")
                               .arg(what, p ? QString::fromLatin1(p->name) : Commands::name(code))
                               .arg(code, 2, 16, QLatin1Char('0')));
}

void CliConfig::read()
{
    m_sendOnly.reset();
    ConfigProgress progress(params.ParamCount, {}, [this] { return m_unanswered.has_value(); });
    ConfigReader::run(params, cells, progress);
    failIfUnanswered(QStringLiteral("reading"));
}

void CliConfig::write(const QSet<QString> &parameters)
{
    QSet<quint8> codes;
    for (const Commands::ParamCode &p : Commands::paramCodes())
        if (p.writeCode && parameters.contains(QString::fromLatin1(p.name)))
            codes.insert(p.writeCode);
    m_sendOnly = codes;
    ConfigProgress progress(params.ParamCount, {}, [this] { return m_unanswered.has_value(); });
    const ConfigResult result = ConfigWriter::run(params, cells, progress);
    m_sendOnly.reset();
    failIfUnanswered(QStringLiteral("writing"));
    // The file was checked with the same writer before anything was sent.
    if (result.outcome == ConfigResult::Failed)
        throw CliError::usage(result.error);
}

void CliConfig::readInputs()
{
    m_sendOnly.reset();
    params.InputsState.ReadFromDevice();
    failIfUnanswered(QStringLiteral("reading"));
}
