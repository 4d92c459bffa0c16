#pragma once

#include "config/CellMap.h"
#include "config/TerminalParams.h"

#include <QSet>

#include <optional>

class CliSession;

// The configuration page without a window: the 40 parameter objects on the
// session's link, the cells they fill, and the page's reading and writing
// sequences. A request the terminal leaves unanswered ends the sequence
// after that request, as the page's stop button does.
class CliConfig
{
public:
    // With a store, the objects load the stored configuration first (the
    // input names live only there).
    CliConfig(CliSession &session, XmlStore *store);

    // Raises CliError (no answer) when a request went unanswered.
    void read();
    // Sends only the requests of the named parameters; the sequence and its
    // order are the page's.
    void write(const QSet<QString> &parameters);
    // The present state of the digital inputs (InputsState).
    void readInputs();

    TerminalParams params;
    CellMap cells;

private:
    TBuf transact(const TBuf &request);
    void failIfUnanswered(const QString &what) const;

    CliSession &m_session;
    std::optional<QSet<quint8>> m_sendOnly; // write codes; unset: send everything
    std::optional<quint8> m_unanswered;     // code of the first request without an answer
};
