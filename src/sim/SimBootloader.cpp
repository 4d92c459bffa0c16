#include "SimBootloader.h"

namespace {
const QByteArray Done(1, 0);
const QByteArray Refused(1, 1);
} // namespace

QByteArray SimBootloader::image() const
{
    QByteArray all;
    for (const QByteArray &b : m_blocks)
        all.append(b);
    return all;
}

void SimBootloader::enter()
{
    m_active = true;
    m_ready = false;
}

QByteArray SimBootloader::bootEnter()
{
    // A new run starts from an empty image, as the flash is erased on entry.
    m_ready = true;
    m_imageDone = false;
    m_blocks.clear();
    return Done;
}

QByteArray SimBootloader::block(const QByteArray &data)
{
    if (!m_ready || m_imageDone)
        return Refused;
    m_blocks.append(data);
    return Done;
}

QByteArray SimBootloader::imageComplete()
{
    m_imageDone = m_ready;
    return m_imageDone ? Done : Refused;
}

void SimBootloader::leave()
{
    m_active = false;
    m_ready = false;
}
