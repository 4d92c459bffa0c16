#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// A value that cannot become a request (or a file value) without damage. It is
// raised before anything is sent, so the caller can stop its sequence and show
// the text to the user.
class ParamError : public std::exception
{
public:
    explicit ParamError(QString text)
        : m_text(std::move(text))
        , m_utf8(m_text.toUtf8())
    {
    }
    QString text() const { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};
