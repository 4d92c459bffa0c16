#include "TerminalParams.h"

#include "link/Commands.h"
#include "settings/XmlStore.h"

#include <stdexcept>

const QString TerminalParams::Section = QStringLiteral("Params");

namespace {
const Commands::ParamCode &code(const char *name)
{
    for (const Commands::ParamCode &c : Commands::paramCodes())
        if (qstrcmp(c.name, name) == 0)
            return c;
    // The object names and the catalogue are both fixed in the source: a miss
    // is a programming error, found by the first test that builds the set.
    throw std::logic_error(std::string("parameter missing from the command catalogue: ") + name);
}

XmlStore *opened(XmlStore *store)
{
    if (store)
        store->open();
    return store;
}
} // namespace

template <class T> T TerminalParams::stored(const char *name)
{
    const Commands::ParamCode &c = code(name);
    return T(*this, c.writeCode, c.number, m_store, Section, QString::fromLatin1(name));
}

template <class T> T TerminalParams::unstored(const char *name)
{
    const Commands::ParamCode &c = code(name);
    return T(*this, c.writeCode, c.number);
}

TerminalParams::TerminalParams(XmlStore *store, TransactFn transact)
    : ParamRegistry(std::move(transact))
    , m_store(opened(store))
    , ParamCount(static_cast<int>(ParamList.size()))
{
    if (m_store)
        m_store->close();
}
