#include "HexImageText.h"

#include <QRandomGenerator>

QByteArray HexImageText::record(const QByteArray &hex)
{
    const QByteArray bytes = QByteArray::fromHex(hex);
    quint8 sum = 0;
    for (char c : bytes)
        sum += static_cast<quint8>(c);
    return ':' + hex.toUpper() + QByteArray(1, static_cast<char>(-sum)).toHex().toUpper();
}

HexImageText HexImageText::random(int dataBytes, int perRecord, quint32 seed)
{
    HexImageText image;
    QRandomGenerator rng(seed);
    const QByteArray base = QByteArray::fromHex("0800");
    image.text = record("02000004" + base.toHex()) + "\r\n";
    image.blockData = base;
    for (int offset = 0; offset < dataBytes; offset += perRecord) {
        QByteArray bytes(qMin(perRecord, dataBytes - offset), '\0');
        for (char &c : bytes)
            c = static_cast<char>(rng.bounded(256));
        image.blockData += bytes;
        const QByteArray head = QByteArray(1, static_cast<char>(bytes.size())).toHex()
            + QByteArray::number(offset & 0xFFFF, 16).rightJustified(4, '0') + "00";
        image.text += record(head + bytes.toHex()) + "\r\n";
    }
    image.text += ":00000001FF\r\n";
    image.records = static_cast<int>(image.text.count('\n'));
    return image;
}
