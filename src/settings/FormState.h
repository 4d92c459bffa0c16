#pragma once

#include <QString>

class QWidget;
class XmlStore;

// Saves and restores a window's placement in a settings section with the keys
// "Flags", "ShowCmd", "NormalPos" (left,top,right,bottom), "PixelsPerInch"
// and "Color". Nothing is restored when the screen's pixels per inch changed.
class FormState
{
public:
    FormState(XmlStore &store, QString section);

    void save(const QWidget &window);
    // restoreShowState: also take the minimised/maximised state from "ShowCmd".
    bool restore(QWidget &window, bool restoreShowState);

private:
    XmlStore &m_store;
    QString m_section;
};
