#include "HexRecord.h"

namespace {
// Character positions of the fields (0-based; the record mark is at 0).
constexpr int CountPos = 1;
constexpr int AddressPos = 3;
constexpr int TypePos = 7;
constexpr int DataPos = 9;

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Exactly two hexadecimal digits at pos, either letter case.
HexRecord::Fault readByte(const QByteArray &line, int pos, quint8 &out)
{
    if (pos + 2 > line.size())
        return HexRecord::Fault::Missing;
    const int hi = hexDigit(line[pos]);
    const int lo = hexDigit(line[pos + 1]);
    if (hi < 0 || lo < 0)
        return HexRecord::Fault::NotHex;
    out = static_cast<quint8>(hi * 16 + lo);
    return HexRecord::Fault::None;
}

int index(HexRecord::Field field) { return static_cast<int>(field); }
} // namespace

HexRecord HexRecord::parse(const QByteArray &line)
{
    HexRecord r;
    r.m_line = line;
    if (line.size() < 2) {
        r.m_endsTransfer = true;
        return r;
    }
    if (line[0] != ':')
        return r;
    r.m_isRecord = true;

    auto &faults = r.m_faults;
    faults[index(Field::Count)] = readByte(line, CountPos, r.m_count);
    faults[index(Field::Address)] = readByte(line, AddressPos, r.m_address[0]);
    if (faults[index(Field::Address)] == Fault::None)
        faults[index(Field::Address)] = readByte(line, AddressPos + 2, r.m_address[1]);
    faults[index(Field::Type)] = readByte(line, TypePos, r.m_type);
    if (faults[index(Field::Count)] != Fault::None)
        return r; // without a count the data and the checksum cannot be found

    r.m_data.reserve(r.m_count);
    for (int i = 0; i < r.m_count; ++i) {
        quint8 byte = 0;
        const Fault f = readByte(line, DataPos + 2 * i, byte);
        if (f != Fault::None) {
            faults[index(Field::Data)] = f;
            break;
        }
        r.m_data.append(static_cast<char>(byte));
    }
    faults[index(Field::Checksum)] = readByte(line, DataPos + 2 * r.m_count, r.m_checksum);
    return r;
}

HexRecord::Fault HexRecord::fault(Field field) const
{
    return field == Field::None ? Fault::None : m_faults[index(field)];
}

HexRecord::Field HexRecord::firstFault() const
{
    for (Field f : {Field::Count, Field::Address, Field::Type, Field::Data, Field::Checksum})
        if (fault(f) != Fault::None)
            return f;
    return Field::None;
}

QByteArray HexRecord::fieldText(Field field) const
{
    switch (field) {
    case Field::None: return {};
    case Field::Count: return m_line.mid(CountPos, 2);
    case Field::Address: return m_line.mid(AddressPos, 4);
    case Field::Type: return m_line.mid(TypePos, 2);
    case Field::Data:
        // The pair where reading stopped, or the whole field.
        if (fault(Field::Data) != Fault::None)
            return m_line.mid(DataPos + 2 * m_data.size(), 2);
        return m_line.mid(DataPos, 2 * m_count);
    case Field::Checksum: return m_line.mid(DataPos + 2 * m_count, 2);
    }
    return {};
}

bool HexRecord::checksumMatches() const
{
    if (!m_isRecord || firstFault() != Field::None)
        return false;
    quint8 sum = m_count + m_address[0] + m_address[1] + m_type + m_checksum;
    for (char c : m_data)
        sum += static_cast<quint8>(c);
    return sum == 0;
}

QString HexRecord::fieldName(Field field)
{
    switch (field) {
    case Field::None: return {};
    case Field::Count: return QStringLiteral("длина записи");
    case Field::Address: return QStringLiteral("адрес");
    case Field::Type: return QStringLiteral("тип записи");
    case Field::Data: return QStringLiteral("данные");
    case Field::Checksum: return QStringLiteral("контрольная сумма");
    }
    return {};
}
