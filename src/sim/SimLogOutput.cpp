#include "SimLogOutput.h"

#include "SimTerminal.h"

#include <QStringEncoder>
#include <QtEndian>

namespace {
QByteArray cp1251(const QString &text)
{
    QStringEncoder encoder("windows-1251");
    return encoder.encode(text);
}

QByteArray number(qint64 n)
{
    return QByteArray::number(n);
}
} // namespace

SimLogOutput::SimLogOutput() = default;

QByteArray SimLogOutput::record(const char *name, const QByteArray &data) const
{
    const int n = m_header.number(name);
    Q_ASSERT_X(n >= 0, "SimLogOutput", name);
    QByteArray payload(2, 0);
    qToLittleEndian(static_cast<quint16>(qMax(n, 0)), payload.data());
    payload.append(data.left(253));
    return payload;
}

QByteArray SimLogOutput::restartRecord(int bootMs)
{
    m_boot = {
        record("MSG_START", " 3.4.17"),
        record("MSG_RESET_CAUSE", cp1251(QStringLiteral(" перезапуск по команде"))),
        record("MSG_POWER_ON"),
        record("MSG_PARAMS_LOADED"),
        record("MSG_GSM_INIT"),
        record("MSG_SIM_READY"),
        record("MSG_GSM_REG", " MTS RUS"),
    };
    m_step = 0;
    m_owedMs = -bootMs; // nothing before the marker
    return record("MSG_CLEAR");
}

QList<QByteArray> SimLogOutput::tick(int ms, const SimTerminal &terminal)
{
    QList<QByteArray> out;
    if (m_rate <= 0)
        return out;
    m_owedMs += ms;
    const double interval = 1000.0 / m_rate;
    while (m_owedMs >= interval) {
        m_owedMs -= interval;
        out.append(m_boot.isEmpty() ? nextRecord(terminal) : m_boot.takeFirst());
    }
    return out;
}

QByteArray SimLogOutput::nextRecord(const SimTerminal &terminal)
{
    // One pass of the terminal's working cycle: modem, navigation, supply,
    // fuel, a packet to the server and its acknowledgement, a timer event.
    constexpr int Steps = 11;
    const int step = m_step++ % Steps;
    switch (step) {
    case 0: return record("MSG_GSM_SIGNAL", " 21");
    case 1: return record("MSG_GSM_ANSWER", " {+CSQ: 21,0\r\n\r\nOK}");
    case 2: return record("MSG_GPRS_CONNECT", " " + terminal.parameters().value(9));
    case 3: return record("MSG_NAV_FIX", " " + number(terminal.navReceiver().satellitesInUse()));
    case 4: return record("MSG_NAV_POS", " " + terminal.navReceiver().positionText());
    case 5: return record("MSG_SUPPLY", " " + number(terminal.supplyMillivolts()));
    case 6: return record("MSG_FUEL", " " + number(terminal.fuelTable().litresFor(terminal.fuelAdc())));
    case 7: return record("MSG_TCP_SEND", number(48 + (m_packets % 5) * 8));
    case 8: return record("MSG_TCP_ACK", " " + number(++m_packets));
    case 9: return record("MSG_EVT_TIMER");
    default: return record("MSG_HEARTBEAT");
    }
}
