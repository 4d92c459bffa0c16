#include "Port.h"

Port::Port(QObject *parent)
    : QObject(parent)
{
}

Port::~Port() = default;

void Port::deliver(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    emit received();
    if (m_sink)
        m_sink->portBytes(bytes);
    else if (m_receiver)
        m_receiver(bytes);
}

bool Port::transmit(const QByteArray &bytes)
{
    emit transmitted();
    return write(bytes);
}
