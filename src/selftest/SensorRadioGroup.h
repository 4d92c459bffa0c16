#pragma once

#include <QWidget>

class QRadioButton;

// One input's state as a two-choice radio group: "Замкнут" (false) or
// "Разомкнут" (true). It shows what the terminal reported; clicking it
// changes nothing.
class SensorRadioGroup : public QWidget
{
    Q_OBJECT
public:
    explicit SensorRadioGroup(QWidget *parent = nullptr);

    bool value() const;
    void setValue(bool open);
    QString shownText() const;

private:
    QRadioButton *m_closed;
    QRadioButton *m_open;
};
