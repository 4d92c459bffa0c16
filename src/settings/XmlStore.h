#pragma once

#include <QString>

#include <functional>
#include <vector>

// The settings store: one XML file with a root element FORMS, one element per
// section and one empty element per key carrying the attribute "value".
//
// Every user opens the store before use and closes it after. The first open
// reads the file; the last close writes it when anything was written (or the
// file was missing or empty) and forgets the contents. Lines outside the root
// block are kept as they were.
class XmlStore
{
public:
    // "tvConfigC.xml" beside the executable when that folder is writable or the
    // file is already there; otherwise in the user's configuration folder.
    static QString defaultFileName();

    explicit XmlStore(QString fileName = defaultFileName());

    QString fileName() const { return m_fileName; }
    void setFileName(const QString &fileName) { m_fileName = fileName; }

    void open();
    // Returns false when the last close could not save the file (errorString()).
    bool close();
    bool isOpen() const { return m_openCount > 0; }

    QString readString(const QString &section, const QString &key, const QString &def = {}) const;
    void writeString(const QString &section, const QString &key, const QString &value);
    // A text that is not a whole number counts as absent.
    int readInteger(const QString &section, const QString &key, int def) const;
    void writeInteger(const QString &section, const QString &key, int value);

    QString errorString() const { return m_error; }

    // Told once, in plain words, when a file that could not be read as
    // settings was kept as a ".bak" copy and the store started empty.
    std::function<void(const QString &)> onWarning;

private:
    struct Key
    {
        QString name;
        QString value;
    };
    struct Section
    {
        QString name;
        std::vector<Key> keys;
    };

    void load();
    bool save();
    bool parse(const QString &text);
    void keepBackup(const QString &why);
    const Key *find(const QString &section, const QString &key) const;

    QString m_fileName;
    int m_openCount = 0;
    bool m_dirty = false;
    std::vector<Section> m_sections;
    QString m_before; // text before the root block (declaration replaced on save)
    QString m_after;  // text after the root block
    QString m_error;
};
