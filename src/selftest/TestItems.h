#pragma once

#include <QList>
#include <QString>

// The tests the operator can tick, with their bit in TestMask.
namespace TestItems {

enum Bit : quint8 {
    Gps = 0x01,
    GsmCcid = 0x02,
    GsmImei = 0x04,
    Audio = 0x08,
    Flash = 0x10,
    Sram = 0x20, // never ticked: the code the terminal reports its SRAM test with
    Relays = 0x40,
    Adc = 0x80,
};

// The tests only the operator can judge; they never go to the terminal.
constexpr quint8 OperatorTests = Audio | Relays | Adc;

struct Item
{
    QString caption;
    quint8 bit;
};

// The seven items of the selection, in display order.
const QList<Item> &items();

} // namespace TestItems
