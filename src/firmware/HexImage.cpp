#include "HexImage.h"

#include "HexRecord.h"

#include <QFile>
#include <QFileInfo>

namespace {
constexpr quint8 ExtendedSegmentAddress = 2;

// A record the sender would skip only because of what stands before its colon.
bool looksLikeRecord(const QByteArray &line)
{
    const QByteArray trimmed = line.trimmed();
    return !trimmed.isEmpty() && trimmed[0] == ':';
}

QString faultText(int lineNo, const HexRecord &r)
{
    const HexRecord::Field f = r.firstFault();
    if (r.fault(f) == HexRecord::Fault::Missing)
        return QStringLiteral("Строка %1: запись обрывается, не хватает поля «%2».").arg(lineNo).arg(HexRecord::fieldName(f));
    return QStringLiteral("Строка %1: поле «%2» не шестнадцатеричное: «%3».")
        .arg(lineNo)
        .arg(HexRecord::fieldName(f), QString::fromLatin1(r.fieldText(f)));
}
} // namespace

QList<QByteArray> HexImage::splitLines(const QByteArray &text)
{
    QList<QByteArray> lines;
    const qsizetype nul = text.indexOf('\0');
    const qsizetype end = nul < 0 ? text.size() : nul;
    qsizetype start = 0;
    for (qsizetype i = 0; i < end; ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == '\r' && i + 1 < end && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < end)
        lines.append(text.mid(start, end - start));
    return lines;
}

bool HexImage::load(const QString &path, QString *error)
{
    auto fail = [error](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    m_lines.clear();
    if (path.trimmed().isEmpty())
        return fail(QStringLiteral("Не указан файл прошивки."));
    const QFileInfo info(path);
    if (!info.exists())
        return fail(QStringLiteral("Файл прошивки не найден:\n%1").arg(path));
    if (info.isDir())
        return fail(QStringLiteral("Указана папка, а не файл прошивки:\n%1").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (file.error() == QFileDevice::PermissionsError)
            return fail(QStringLiteral("Нет прав на чтение файла прошивки:\n%1").arg(path));
        return fail(QStringLiteral("Не удалось открыть файл прошивки:\n%1\n(%2)").arg(path, file.errorString()));
    }
    // Read with a bound: a device file or a huge file must not fill the memory.
    const QByteArray text = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(QStringLiteral("Не удалось прочитать файл прошивки:\n%1\n(%2)").arg(path, file.errorString()));
    if (text.size() > MaxFileSize)
        return fail(QStringLiteral("Файл слишком велик для образа прошивки:\n%1").arg(path));
    m_lines = splitLines(text);
    return true;
}

HexImage::Check HexImage::check() const
{
    Check result;
    bool checksumAsked = false;
    bool skippedRecordAsked = false;
    qsizetype stopAt = -1;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const int lineNo = static_cast<int>(i + 1);
        const HexRecord r = HexRecord::parse(m_lines[i]);
        if (r.endsTransfer()) {
            stopAt = i;
            break;
        }
        if (!r.isRecord()) {
            if (!skippedRecordAsked && looksLikeRecord(m_lines[i])) {
                skippedRecordAsked = true;
                result.questions.append(
                    QStringLiteral("Строка %1 похожа на запись, но начинается не с двоеточия и не будет отправлена. Продолжить?")
                        .arg(lineNo));
            }
            continue;
        }
        if (r.firstFault() != HexRecord::Field::None) {
            result.refusal = QStringLiteral("Файл прошивки повреждён, ничего не отправлено.\n") + faultText(lineNo, r);
            return result;
        }
        if (!checksumAsked && !r.checksumMatches()) {
            checksumAsked = true;
            result.questions.append(QStringLiteral("Контрольная сумма строки %1 неверна. Продолжить?").arg(lineNo));
        }
        if (r.type() != ExtendedSegmentAddress) {
            ++result.blocks;
            result.dataBytes += r.count();
        }
    }
    if (stopAt >= 0) {
        for (qsizetype i = stopAt + 1; i < m_lines.size(); ++i) {
            if (looksLikeRecord(m_lines[i])) {
                result.questions.append(QStringLiteral("Строка %1 пустая или из одного символа: на ней передача закончится, "
                                                       "и записи после неё не будут отправлены. Продолжить?")
                                            .arg(stopAt + 1));
                break;
            }
        }
    }
    return result;
}
