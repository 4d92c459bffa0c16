#pragma once

#include "link/TBuf.h"

#include <QString>

// One line of an Intel HEX image taken apart field by field, without ever
// reading past the end of the line. It records what is wrong with each field
// so that the sender and the image check can each apply their own rules.
class HexRecord
{
public:
    enum class Field { None, Count, Address, Type, Data, Checksum };
    enum class Fault { None, Missing, NotHex };

    // The line as it stands: nothing is trimmed.
    static HexRecord parse(const QByteArray &line);

    // Fewer than two characters: the transfer ends at this line.
    bool endsTransfer() const { return m_endsTransfer; }
    // Starts with the record mark ':'.
    bool isRecord() const { return m_isRecord; }

    Fault fault(Field field) const;
    // The first faulty field in the order of the line, or Field::None.
    Field firstFault() const;
    // The text of a field as it stands in the line (for messages).
    QByteArray fieldText(Field field) const;

    quint8 count() const { return m_count; }
    quint8 type() const { return m_type; }
    const TBuf &data() const { return m_data; }
    // The two's complement of the byte sum matches the checksum field.
    bool checksumMatches() const;

    static QString fieldName(Field field);

private:
    QByteArray m_line;
    bool m_endsTransfer = false;
    bool m_isRecord = false;
    Fault m_faults[6] = {};
    quint8 m_count = 0;
    quint8 m_address[2] = {};
    quint8 m_type = 0;
    TBuf m_data;
    quint8 m_checksum = 0;
};
