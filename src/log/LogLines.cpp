#include "LogLines.h"

void LogLines::append(QStringView line, quint8 stateAfter)
{
    m_text.append(line);
    m_ends.push_back(m_text.size());
    m_states.push_back(stateAfter);
}

void LogLines::clear()
{
    // Give the memory back: a cleared log may have held hundreds of megabytes.
    m_text = QString();
    std::vector<qsizetype>().swap(m_ends);
    std::vector<quint8>().swap(m_states);
}

QStringView LogLines::line(qsizetype i) const
{
    const qsizetype start = i > 0 ? m_ends[size_t(i - 1)] : 0;
    return QStringView(m_text).mid(start, m_ends[size_t(i)] - start);
}

QString LogLines::text() const
{
    QString out;
    out.reserve(m_text.size() + size());
    for (qsizetype i = 0; i < size(); ++i) {
        out += line(i);
        out += QLatin1Char('\n');
    }
    return out;
}
