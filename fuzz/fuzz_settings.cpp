// The settings store loading arbitrary file contents, then saving and
// loading again: it must never crash and must read back what it wrote.
#include "settings/XmlStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>

#include <cstddef>
#include <cstdint>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A memory-backed folder where there is one: every save is a sync to disk.
    static const QString path = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("taviron.*=false"));
        const QDir shm(QStringLiteral("/dev/shm"));
        return (shm.exists() ? shm : QDir::temp()).filePath(QStringLiteral("taviron-fuzz-%1.xml").arg(getpid()));
    }();
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    QFile::remove(path + QStringLiteral(".bak"));
    XmlStore store(path);
    store.onWarning = [](const QString &) {};
    store.open();
    const QString before = store.readString(QStringLiteral("Setup"), QStringLiteral("Com"), QStringLiteral("COM1"));
    store.writeString(QStringLiteral("Setup"), QStringLiteral("Fuzz"), QStringLiteral("значение"));
    store.close();

    XmlStore again(path);
    again.onWarning = [](const QString &) { __builtin_trap(); }; // what we saved must read back
    again.open();
    if (again.readString(QStringLiteral("Setup"), QStringLiteral("Fuzz")) != QStringLiteral("значение"))
        __builtin_trap();
    if (again.readString(QStringLiteral("Setup"), QStringLiteral("Com"), QStringLiteral("COM1")) != before)
        __builtin_trap();
    again.close();
    return 0;
}
