#pragma once

#include <QByteArray>
#include <QHash>

// The numbers of the terminal's log messages, taken from the message header
// bundled with the simulator (data/messages.h): message n is the n-th line
// that carries an identifier and a line comment, as the firmware numbers them.
class SimMessageHeader
{
public:
    // The bundled header.
    SimMessageHeader();
    static QByteArray bundledText();
    explicit SimMessageHeader(const QByteArray &headerText);

    // The number of the message with this identifier, or -1.
    int number(const QByteArray &name) const { return m_numbers.value(name, -1); }
    int count() const { return m_count; }

private:
    void parse(const QByteArray &text);

    QHash<QByteArray, int> m_numbers;
    int m_count = 0;
};
