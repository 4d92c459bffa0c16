#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

// Brings a pulled USB serial adapter back: it remembers which adapter the
// port was (maker, product, serial number) and, once the port is lost, looks
// for the same adapter among the system's ports every second. The system
// may give the adapter a new name (ttyUSB0 -> ttyUSB1).
class PortWatcher : public QObject
{
    Q_OBJECT
public:
    struct Identity
    {
        QString name;
        bool hasIds = false; // the system knows the adapter's USB identifiers
        quint16 vendor = 0;
        quint16 product = 0;
        QString manufacturer;
        QString serialNumber;

        // Same adapter: same maker, product and serial number.
        bool sameAdapter(const Identity &other) const;
    };
    using Lister = std::function<QList<Identity>()>;

    static constexpr int PollMs = 1000;

    explicit PortWatcher(QObject *parent = nullptr);

    // The ports the system lists now.
    static QList<Identity> systemPorts();
    Lister listPorts = systemPorts;

    // The port opened: remember its adapter (ports without USB identifiers,
    // "sim" and pseudo-terminals, cannot be recognised and are not watched).
    void watch(const QString &portName);
    // The port was lost: start looking for its adapter.
    void portLost();
    void stop() { m_poll.stop(); }
    bool isLooking() const { return m_poll.isActive(); }
    // One look; emits returned() when the adapter is back.
    void poll();

signals:
    void returned(const QString &portName);

private:
    Identity m_adapter;
    QTimer m_poll;
};
