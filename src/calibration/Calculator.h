#pragma once

#include <QString>

// A pocket calculator: digits build a number, an operator applies the one
// before it, "=" finishes. It backs the drop-down calculator of the volume
// editor; no window here.
class Calculator
{
public:
    // Starts with a number in the display, as when the editor already holds one.
    void start(double value);

    void digit(int d);
    void point();
    // One of + - * /.
    void op(QChar o);
    void equals();
    void backspace();
    void clear();

    // What the display shows; "Ошибка" after a division by zero until cleared.
    QString display() const;
    bool failed() const { return m_failed; }
    double value() const;

private:
    void apply();

    QString m_entry = QStringLiteral("0");
    double m_accumulator = 0;
    QChar m_pending;
    bool m_fresh = true; // the next digit starts a new number
    bool m_failed = false;
};
