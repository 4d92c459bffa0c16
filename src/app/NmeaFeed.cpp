#include "NmeaFeed.h"

#include <cstring>

NmeaFeed::NmeaFeed(QObject *parent)
    : QIODevice(parent)
{
    open(QIODevice::ReadOnly);
}

void NmeaFeed::feed(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    m_pending.append(bytes);
    if (m_pending.size() > MaxPending)
        m_pending.remove(0, m_pending.size() - MaxPending);
    emit readyRead();
}

qint64 NmeaFeed::bytesAvailable() const
{
    return m_pending.size() + QIODevice::bytesAvailable();
}

bool NmeaFeed::canReadLine() const
{
    return m_pending.contains('\n') || QIODevice::canReadLine();
}

qint64 NmeaFeed::readData(char *data, qint64 maxSize)
{
    const qsizetype n = std::min<qsizetype>(m_pending.size(), static_cast<qsizetype>(maxSize));
    std::memcpy(data, m_pending.constData(), static_cast<size_t>(n));
    m_pending.remove(0, n);
    return n;
}
