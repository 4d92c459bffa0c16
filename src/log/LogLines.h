#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// The lines of the terminal log, kept compactly: one text buffer and the end
// of each line, plus one byte of state per line for the view's highlighter.
// Appending costs amortised constant time and memory grows with the text.
class LogLines
{
public:
    void append(QStringView line, quint8 stateAfter);
    void clear();

    qsizetype size() const { return qsizetype(m_ends.size()); }
    bool isEmpty() const { return m_ends.empty(); }
    QStringView line(qsizetype i) const;
    // The highlighter's state at the start and at the end of line i.
    quint8 stateBefore(qsizetype i) const { return i > 0 ? m_states[size_t(i - 1)] : 0; }
    quint8 stateAfter(qsizetype i) const { return m_states[size_t(i)]; }
    // Every line, each followed by a line break.
    QString text() const;

private:
    QString m_text;
    std::vector<qsizetype> m_ends;
    std::vector<quint8> m_states;
};
