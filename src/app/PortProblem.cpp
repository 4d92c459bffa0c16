#include "PortProblem.h"

#include <QFileInfo>
#include <QSerialPortInfo>

namespace PortProblem {

namespace {
QString deviceLocation(const QString &portName)
{
    if (portName.contains(QLatin1Char('/')) || portName.contains(QLatin1Char('\\')))
        return portName;
    return QSerialPortInfo(portName).systemLocation();
}

bool mentions(const QString &text, std::initializer_list<const char *> words)
{
    for (const char *w : words) {
        if (text.contains(QLatin1String(w), Qt::CaseInsensitive))
            return true;
    }
    return false;
}
} // namespace

Kind classify(const QString &portName, const QString &systemError)
{
    if (mentions(systemError, {"permission", "access is denied", "not permitted"}))
        return Kind::NoPermission;
    if (mentions(systemError, {"no such file", "not found", "cannot find", "does not exist"}))
        return Kind::Missing;
#ifndef Q_OS_WIN
    const QFileInfo device(deviceLocation(portName));
    if (!device.exists())
        return Kind::Missing;
    if (!device.isWritable() || !device.isReadable())
        return Kind::NoPermission;
#else
    Q_UNUSED(portName);
#endif
    return Kind::Busy;
}

QString explain(const QString &portName, const QString &systemError)
{
    QString text;
    switch (classify(portName, systemError)) {
    case Kind::Busy:
        text = QStringLiteral("Порт %1 занят: его уже открыла другая программа. Закройте её или выберите другой порт.")
                   .arg(portName);
        break;
    case Kind::Missing:
        text = QStringLiteral("Порта %1 нет в системе: проверьте, подключён ли адаптер, или выберите другой порт.")
                   .arg(portName);
        break;
    case Kind::NoPermission:
#ifdef Q_OS_WIN
        text = QStringLiteral("Нет прав на доступ к порту %1.").arg(portName);
#else
        text = QStringLiteral("Нет прав на доступ к порту %1. Добавьте пользователя в группу dialout "
                              "(sudo usermod -aG dialout $USER) и войдите в систему заново.")
                   .arg(portName);
#endif
        break;
    }
    if (!systemError.isEmpty())
        text += QStringLiteral(" (%1)").arg(systemError);
    return text;
}

} // namespace PortProblem
