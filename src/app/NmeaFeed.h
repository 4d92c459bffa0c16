#pragma once

#include <QByteArray>
#include <QIODevice>

// A read-only stream that hands on the bytes it is fed, so that Qt
// Positioning's NMEA sources can read the navigation receiver's text while
// the terminal view shows the same bytes.
class NmeaFeed : public QIODevice
{
    Q_OBJECT
public:
    // At most this much is kept unread: a receiver that never ends a line
    // cannot make it grow without bound.
    static constexpr qsizetype MaxPending = 64 * 1024;

    explicit NmeaFeed(QObject *parent = nullptr);

    void feed(const QByteArray &bytes);

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;
    bool canReadLine() const override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_pending;
};
