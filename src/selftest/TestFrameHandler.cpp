#include "TestFrameHandler.h"

#include "GeneralFloatText.h"
#include "SelfTestLog.h"
#include "TestOutput.h"

#include "config/IdentityText.h"
#include "config/Win1251.h"

#include <QtEndian>

#include <bit>

namespace {
const QString GpsLabel = QStringLiteral("[GPS] ");
const QString GsmLabel = QStringLiteral("[GSM] ");
const QString FlashLabel = QStringLiteral("[FLASH] ");
const QString SramLabel = QStringLiteral("[SRAM] ");

// Knots to km/h, kept in extended precision like the product.
constexpr long double KmhPerKnot = 1.852L;
constexpr quint16 FirstValidYear = 2009;

quint8 byteAt(const TBuf &payload, qsizetype offset)
{
    return static_cast<quint8>(payload.at(offset));
}

quint16 wordAt(const TBuf &payload, qsizetype offset)
{
    return qFromLittleEndian<quint16>(payload.constData() + offset);
}

long double floatAt(const TBuf &payload, qsizetype offset)
{
    return std::bit_cast<float>(qFromLittleEndian<quint32>(payload.constData() + offset));
}
} // namespace

TestFrameHandler::TestFrameHandler(TestOutput &output)
    : m_output(output)
{
}

QString TestFrameHandler::StatusWord(quint8 status) const
{
    switch (status) {
    case Ok:
        return QStringLiteral("ОК");
    case Info:
        return QStringLiteral("Информация");
    case Warning:
        return QStringLiteral("Внимание");
    case Error:
        return QStringLiteral("Ошибка");
    case DataReceived:
        return QStringLiteral("Получены данные");
    case CcidText:
        return QStringLiteral("CCID");
    case ImeiText:
        return QStringLiteral("IMEI");
    case Started:
        return QStringLiteral("Тестирование запущено!");
    case Finished:
        return LongTimeText(now()) + QStringLiteral(" Тестирование окончено!");
    default:
        return {};
    }
}

void TestFrameHandler::HandleTestFrame(const TBuf &payload)
{
    if (payload.size() < 2) {
        qCDebug(lcSelfTest) << "test frame too short:" << payload.toHex(' ');
        return;
    }
    const quint8 kind = byteAt(payload, 0);
    const quint8 status = byteAt(payload, 1);
    switch (kind) {
    case Run:
        // The operator's tests must not run inside the receiver: hand them on.
        if (status == Finished && PostTestFinished)
            PostTestFinished();
        return;
    case Gps:
        m_output.appendLine(GpsLabel + StatusWord(status));
        ShowGpsTestBlock(payload);
        return;
    case Ccid:
        showGsm(QStringLiteral("CCID SIM карты:"), payload, CcidText);
        return;
    case Imei:
        showGsm(QStringLiteral("IMEI:"), payload, ImeiText);
        return;
    case Flash:
        if (payload.size() < 3)
            break;
        m_output.appendLine(FlashLabel + StatusWord(status));
        showBits(FlashLabel, byteAt(payload, 2),
            { { 0x01, u"Отсутствует контрольная структура на FRAM" }, { 0x02, u"Контрольная структура записана" },
                { 0x04, u"Память работает исправно" }, { 0x08, u"Ошибка памяти." } });
        return;
    case Sram:
        if (payload.size() < 3)
            break;
        if (status != Ok)
            m_output.appendLine(SramLabel + StatusWord(status));
        // The terminal's bank order: both good results first.
        showBits(SramLabel, byteAt(payload, 2),
            { { 0x01, u"1 банк ОК" }, { 0x04, u"2 банк ОК" }, { 0x02, u"1 банк ошибка" }, { 0x08, u"2 банк ошибка" } });
        return;
    default:
        break;
    }
    qCDebug(lcSelfTest) << "test frame skipped:" << payload.toHex(' ');
}

void TestFrameHandler::showGsm(const QString &label, const TBuf &payload, quint8 textStatus)
{
    const quint8 status = byteAt(payload, 1);
    // A frame without its error flag cannot report success.
    const bool failed = payload.size() < 3 || byteAt(payload, 2) != 0;
    m_output.appendLine(GsmLabel + StatusWord(status) + (failed ? QStringLiteral(" ОШИБКА") : QStringLiteral(" ОК")));
    if (payload.size() < 3)
        return;
    const QString text = Win1251::decode(payload.mid(3));
    if (text.isEmpty() || status != textStatus)
        return;
    m_output.appendLine(GsmLabel + label + (textStatus == CcidText ? DecodeCCID(text) : text));
}

void TestFrameHandler::showBits(
    const QString &label, quint8 flags, std::initializer_list<std::pair<quint8, const char16_t *>> lines)
{
    for (const auto &[bit, text] : lines) {
        if (flags & bit)
            m_output.appendLine(label + QString::fromUtf16(text));
    }
}

void TestFrameHandler::ShowGpsTestBlock(const TBuf &payload)
{
    if (payload.size() < GpsBlockSize) {
        m_output.appendLine(
            GpsLabel + QStringLiteral("Неполный блок данных (байт: %1 из %2)").arg(payload.size()).arg(GpsBlockSize));
        return;
    }
    const quint16 year = wordAt(payload, 2);
    m_output.appendLine(GpsLabel
        + QStringLiteral("Время и дата:%1 %2 %3 %4:%5:%6")
              .arg(year)
              .arg(byteAt(payload, 4))
              .arg(byteAt(payload, 5))
              .arg(byteAt(payload, 6))
              .arg(byteAt(payload, 7))
              .arg(byteAt(payload, 8)));
    m_output.appendLine(GpsLabel + QStringLiteral("Широта:") + GeneralFloatText(floatAt(payload, 10)));
    m_output.appendLine(GpsLabel + QStringLiteral("Долгота:") + GeneralFloatText(floatAt(payload, 14)));
    m_output.appendLine(GpsLabel + QStringLiteral("Высота:") + GeneralFloatText(floatAt(payload, 18)) + QStringLiteral(" м."));
    m_output.appendLine(GpsLabel + QStringLiteral("Кол-во спутников:") + QString::number(byteAt(payload, 30)));
    m_output.appendLine(GpsLabel + QStringLiteral("Скорость на земле:") + GeneralFloatText(floatAt(payload, 22) * KmhPerKnot)
        + QStringLiteral(" Км/ч."));
    m_output.appendLine(GpsLabel + QStringLiteral("Курс:") + GeneralFloatText(floatAt(payload, 26)));
    const bool valid = year >= FirstValidYear && payload.at(9) == 'A';
    m_output.appendLine(GpsLabel + (valid ? QStringLiteral("Данные верны.") : QStringLiteral("Данные не верны.")));
}
