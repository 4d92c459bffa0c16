#pragma once

#include "Calculator.h"

#include <QFrame>

class QLabel;

// The drop-down calculator of the volume editor. "=" hands the result over
// with accepted(); Escape or a click outside closes it without a result.
class CalcPopup : public QFrame
{
    Q_OBJECT
public:
    explicit CalcPopup(QWidget *parent = nullptr);

    void start(double value);
    Calculator calculator;

    // The button of a key text ("7", "+", "=", "C", "←"), for tests and keyboard use.
    void press(const QString &key);

signals:
    void accepted(double value);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *m_display = nullptr;
};
