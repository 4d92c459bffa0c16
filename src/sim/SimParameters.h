#pragma once

#include "link/Commands.h"

#include <QByteArray>
#include <QMap>

// The terminal's 40 parameters as the value bytes it keeps, with the values a
// terminal fresh from the factory carries. The live values (the supply ADC
// reading and the input state) are computed by the terminal, not stored here.
class SimParameters
{
public:
    enum class WriteResult { Ok, Unknown, ReadOnly, BadLength };

    SimParameters();

    bool has(quint8 number) const { return m_values.contains(number); }
    QByteArray value(quint8 number) const { return m_values.value(number); }
    void setValue(quint8 number, const QByteArray &bytes) { m_values.insert(number, bytes); }

    // A write request's value for write code n + 127; the length must suit the kind.
    WriteResult write(quint8 writeCode, const QByteArray &bytes);

    float adcFactor() const;

    // The value length a kind takes on the wire; -1 for texts (0..255).
    static int valueLength(Commands::ParamKind kind);
    // The CCID as the terminal sends it: the characters of each pair swapped.
    static QByteArray swapPairs(const QByteArray &ccid);

private:
    QMap<quint8, QByteArray> m_values;
};
