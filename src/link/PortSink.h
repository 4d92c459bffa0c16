#pragma once

class QByteArray;

// A consumer that can take the port over from the frame receiver: the
// pass-through terminal views of the modem and navigation receiver modes.
class PortSink
{
public:
    virtual ~PortSink() = default;
    virtual void portBytes(const QByteArray &bytes) = 0;
};
