#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A firmware image: an Intel HEX file read whole into lines before anything
// is sent, and the check that runs over all of it first, so that a damaged
// file is refused instead of leaving the terminal with half a firmware.
class HexImage
{
public:
    // Far beyond any image the terminal can hold; a larger file was chosen by mistake.
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

    HexImage() = default;
    explicit HexImage(const QByteArray &text) : m_lines(splitLines(text)) {}

    // Reads the file; on failure returns false and says why in plain words.
    bool load(const QString &path, QString *error);

    // Lines end at CR LF, a lone CR or a lone LF; a final line break adds no
    // line and a NUL byte ends the text. Nothing is trimmed.
    static QList<QByteArray> splitLines(const QByteArray &text);

    const QList<QByteArray> &lines() const { return m_lines; }

    struct Check
    {
        QString refusal;       // not empty: the image must not be sent at all
        QStringList questions; // to be confirmed by the user, in line order
        int blocks = 0;        // blocks a run will send
        qint64 dataBytes = 0;  // data bytes in those blocks
    };
    Check check() const;

private:
    QList<QByteArray> m_lines;
};
