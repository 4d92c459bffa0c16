#include "XmlStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>

Q_LOGGING_CATEGORY(lcSettings, "taviron.settings", QtWarningMsg)

namespace {

const QString RootName = QStringLiteral("FORMS");
const QString ValueAttr = QStringLiteral("value");
const QString Declaration = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");

// Files from the earlier tool are Windows-1251 and say so in their declaration;
// ours are UTF-8.
QString decodeFile(const QByteArray &bytes)
{
    static const QRegularExpression declared(QStringLiteral(R"(^\s*<\?xml[^>]*encoding\s*=\s*["']([A-Za-z0-9_.:-]+)["'])"));
    const auto m = declared.match(QString::fromLatin1(bytes.left(200)));
    if (m.hasMatch()) {
        QStringDecoder decoder(m.captured(1).toLatin1().constData());
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return QStringDecoder("windows-1251").decode(bytes);
}

} // namespace

QString XmlStore::defaultFileName()
{
    const QString name = QStringLiteral("tvConfigC.xml");
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    if (QFileInfo::exists(beside) || QFileInfo(QCoreApplication::applicationDirPath()).isWritable())
        return beside;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(folder);
    return QDir(folder).filePath(name);
}

XmlStore::XmlStore(QString fileName)
    : m_fileName(std::move(fileName))
{
}

void XmlStore::open()
{
    if (m_openCount++ == 0)
        load();
}

bool XmlStore::close()
{
    if (m_openCount == 0)
        return true;
    if (--m_openCount > 0)
        return true;
    const bool ok = !m_dirty || save();
    m_sections.clear();
    m_before.clear();
    m_after.clear();
    m_dirty = false;
    return ok;
}

void XmlStore::load()
{
    m_sections.clear();
    m_before.clear();
    m_after.clear();
    m_error.clear();
    m_dirty = false;

    QFile file(m_fileName);
    if (!file.exists()) {
        m_dirty = true; // created at the last close
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = file.errorString();
        if (onWarning)
            onWarning(QStringLiteral("Файл настроек %1 не удалось прочитать (%2). Используются настройки по умолчанию.")
                          .arg(QDir::toNativeSeparators(m_fileName), m_error));
        return;
    }
    const QString text = decodeFile(file.readAll());
    if (text.trimmed().isEmpty()) {
        m_dirty = true; // no root element: start from an empty skeleton
        return;
    }
    if (!parse(text)) {
        keepBackup(m_error);
        m_sections.clear();
        m_before.clear();
        m_after.clear();
        m_dirty = true;
    }
}

bool XmlStore::parse(const QString &text)
{
    QXmlStreamReader xml(text);
    int depth = 0;
    qint64 rootStart = -1;
    qint64 rootEnd = -1;
    Section *section = nullptr;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            if (depth == 1) {
                rootStart = xml.characterOffset();
            } else if (depth == 2) {
                m_sections.push_back({xml.name().toString(), {}});
                section = &m_sections.back();
            } else if (depth == 3 && section) {
                const QString name = xml.name().toString();
                const QString value = xml.attributes().value(ValueAttr).toString();
                auto it = std::find_if(section->keys.begin(), section->keys.end(), [&](const Key &k) { return k.name == name; });
                if (it == section->keys.end())
                    section->keys.push_back({name, value});
                else
                    it->value = value;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (depth == 1)
                rootEnd = xml.characterOffset();
            if (depth == 2)
                section = nullptr;
            --depth;
        }
    }
    if (xml.hasError() || rootStart < 0 || rootEnd < 0) {
        m_error = xml.hasError() ? QStringLiteral("%1 (строка %2)").arg(xml.errorString()).arg(xml.lineNumber())
                                 : QStringLiteral("нет корневого элемента");
        return false;
    }
    // characterOffset() points after the root's start tag; step back to its '<'.
    const qint64 start = text.lastIndexOf(QLatin1Char('<'), rootStart - 1);
    m_before = text.left(start < 0 ? 0 : start);
    m_after = text.mid(rootEnd);
    static const QRegularExpression decl(QStringLiteral(R"(<\?xml[^>]*\?>)"));
    m_before.replace(decl, Declaration);
    return true;
}

void XmlStore::keepBackup(const QString &why)
{
    const QString backup = m_fileName + QStringLiteral(".bak");
    QFile::remove(backup);
    const bool copied = QFile::copy(m_fileName, backup);
    qCWarning(lcSettings) << "unreadable settings file" << m_fileName << why << "backup" << copied;
    if (onWarning)
        onWarning(copied ? QStringLiteral("Файл настроек %1 повреждён (%2) и сохранён как %3. Программа начинает с настроек по умолчанию.")
                               .arg(QDir::toNativeSeparators(m_fileName), why, QDir::toNativeSeparators(backup))
                         : QStringLiteral("Файл настроек %1 повреждён (%2), и его копию сделать не удалось. Программа начинает с настроек по умолчанию.")
                               .arg(QDir::toNativeSeparators(m_fileName), why));
}

bool XmlStore::save()
{
    QString block;
    QXmlStreamWriter xml(&block);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartElement(RootName);
    for (const Section &s : m_sections) {
        xml.writeStartElement(s.name);
        for (const Key &k : s.keys) {
            xml.writeEmptyElement(k.name);
            xml.writeAttribute(ValueAttr, k.value);
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();

    QString text = m_before.isEmpty() ? Declaration + QLatin1Char('\n') : m_before;
    text += block.trimmed(); // the writer starts with a line break of its own
    text += m_after.isEmpty() ? QStringLiteral("\n") : m_after;

    // Write beside and rename over, so a crash or a full disk never leaves a
    // half-written settings file.
    QSaveFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = file.errorString();
        return false;
    }
    file.write(text.toUtf8());
    if (!file.commit()) {
        m_error = file.errorString();
        return false;
    }
    return true;
}

const XmlStore::Key *XmlStore::find(const QString &section, const QString &key) const
{
    for (const Section &s : m_sections) {
        if (s.name != section)
            continue;
        for (const Key &k : s.keys)
            if (k.name == key)
                return &k;
    }
    return nullptr;
}

QString XmlStore::readString(const QString &section, const QString &key, const QString &def) const
{
    const Key *k = find(section, key);
    return k ? k->value : def;
}

void XmlStore::writeString(const QString &section, const QString &key, const QString &value)
{
    auto s = std::find_if(m_sections.begin(), m_sections.end(), [&](const Section &x) { return x.name == section; });
    if (s == m_sections.end()) {
        m_sections.push_back({section, {}});
        s = std::prev(m_sections.end());
    }
    auto k = std::find_if(s->keys.begin(), s->keys.end(), [&](const Key &x) { return x.name == key; });
    if (k == s->keys.end())
        s->keys.push_back({key, value});
    else
        k->value = value;
    m_dirty = true;
}

int XmlStore::readInteger(const QString &section, const QString &key, int def) const
{
    const Key *k = find(section, key);
    if (!k)
        return def;
    bool ok = false;
    const int v = k->value.trimmed().toInt(&ok);
    return ok ? v : def;
}

void XmlStore::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}
