#include "FormState.h"

#include "XmlStore.h"

#include <QRect>
#include <QStringList>
#include <QWidget>

namespace {
// The show commands of the earlier tool: 1 normal, 2 or 6 minimised, 3 maximised.
constexpr int ShowNormal = 1;
constexpr int ShowMinimized = 2;
constexpr int ShowMinNoActive = 6;
constexpr int ShowMaximized = 3;
} // namespace

FormState::FormState(XmlStore &store, QString section)
    : m_store(store)
    , m_section(std::move(section))
{
}

void FormState::save(const QWidget &window)
{
    const QRect r = window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    const int showCmd = window.isMinimized() ? ShowMinimized : window.isMaximized() ? ShowMaximized : ShowNormal;
    m_store.open();
    m_store.writeInteger(m_section, QStringLiteral("Flags"), 0);
    m_store.writeInteger(m_section, QStringLiteral("ShowCmd"), showCmd);
    m_store.writeString(m_section, QStringLiteral("NormalPos"),
                        QStringLiteral("%1,%2,%3,%4").arg(r.left()).arg(r.top()).arg(r.left() + r.width()).arg(r.top() + r.height()));
    m_store.writeInteger(m_section, QStringLiteral("PixelsPerInch"), window.logicalDpiY());
    m_store.writeInteger(m_section, QStringLiteral("Color"), 0);
    m_store.close();
}

bool FormState::restore(QWidget &window, bool restoreShowState)
{
    m_store.open();
    const int ppi = m_store.readInteger(m_section, QStringLiteral("PixelsPerInch"), -1);
    const QStringList pos = m_store.readString(m_section, QStringLiteral("NormalPos")).split(QLatin1Char(','));
    const int showCmd = m_store.readInteger(m_section, QStringLiteral("ShowCmd"), ShowNormal);
    m_store.close();
    if (ppi != window.logicalDpiY() || pos.size() != 4)
        return false;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = pos[i].trimmed().toInt(&ok);
        if (!ok)
            return false;
    }
    if (v[2] <= v[0] || v[3] <= v[1])
        return false;
    window.setGeometry(v[0], v[1], v[2] - v[0], v[3] - v[1]);
    if (restoreShowState) {
        if (showCmd == ShowMinimized || showCmd == ShowMinNoActive)
            window.setWindowState(window.windowState() | Qt::WindowMinimized);
        else if (showCmd == ShowMaximized)
            window.setWindowState(window.windowState() | Qt::WindowMaximized);
    }
    return true;
}
