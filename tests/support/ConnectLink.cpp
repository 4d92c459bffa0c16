#include "ConnectLink.h"

#include "link/Link.h"
#include "link/Port.h"

bool connectLink(Link &link, Port &port)
{
    if (!port.open())
        return false;
    port.setReceiver([&link](const QByteArray &bytes) { link.ComRxChar(bytes); });
    link.setPort(&port);
    link.PortConnected = true;
    return true;
}
