#include "SimModem.h"

namespace {
constexpr char Cr = '\r';
constexpr char Lf = '\n';
constexpr char Backspace = '\b';
constexpr int MaxLine = 256;

QByteArray result(const QByteArray &information = {})
{
    return information.isEmpty() ? QByteArray("\r\nOK\r\n") : "\r\n" + information + "\r\n\r\nOK\r\n";
}

const QByteArray Error = "\r\nERROR\r\n";
} // namespace

QByteArray SimModem::input(const QByteArray &bytes, const Identity &identity)
{
    QByteArray out;
    for (char c : bytes) {
        if (m_echo)
            out.append(c);
        if (c == Cr) {
            const QByteArray command = m_line.trimmed().toUpper();
            m_line.clear();
            if (!command.isEmpty())
                out.append(execute(command, identity));
        } else if (c == Backspace) {
            m_line.chop(1);
        } else if (c != Lf && m_line.size() < MaxLine) {
            m_line.append(c);
        }
    }
    return out;
}

QByteArray SimModem::execute(const QByteArray &command, const Identity &identity)
{
    if (!command.startsWith("AT"))
        return Error;
    const QByteArray c = command.mid(2);
    if (c.isEmpty())
        return result();
    if (c == "E0" || c == "E1") {
        m_echo = c == "E1";
        return result();
    }
    if (c == "I")
        return result("SIM800 R14.18");
    if (c == "+CGMI")
        return result("SIMCOM_Ltd");
    if (c == "+CGMM")
        return result("SIMCOM_SIM800");
    if (c == "+CGMR")
        return result("Revision:1418B05SIM800M32");
    if (c == "+CSQ")
        return result("+CSQ: 21,0");
    if (c == "+CCID")
        return result(identity.iccid);
    if (c == "+CGSN" || c == "+GSN")
        return result(identity.imei);
    if (c == "+CPIN?")
        return result("+CPIN: READY");
    if (c == "+CREG?")
        return result("+CREG: 0,1");
    if (c == "+COPS?")
        return result("+COPS: 0,0,\"MTS RUS\"");
    if (c == "+CBC")
        return result("+CBC: 0,95,4170");
    return Error;
}
