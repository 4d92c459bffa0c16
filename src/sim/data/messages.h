/*
 * Тавирон: номера сообщений журнала терминала.
 * Терминал передаёт в журнал только номер сообщения и переменные данные;
 * текст сообщения берётся из комментария в конце строки.
 * Порядок строк не менять: номер сообщения равен его позиции в списке.
 */
#ifndef TAVIRON_MESSAGES_H
#define TAVIRON_MESSAGES_H

typedef enum
{
    MSG_CLEAR, // CLEAR
    MSG_START, // *** Информация: запуск терминала, версия ПО
    MSG_RESET_CAUSE, // Причина перезагрузки:
    MSG_POWER_ON, // Включение питания
    MSG_PARAMS_LOADED, // Параметры загружены из FLASH
    MSG_PARAMS_SAVED, // Параметры сохранены во FLASH
    MSG_GSM_INIT, // Инициализация GSM модема
    MSG_GSM_ANSWER, // Модем:
    MSG_GSM_REG, // Регистрация в сети GSM, оператор
    MSG_GSM_NO_REG, // Нет регистрации в сети GSM
    MSG_GSM_SIGNAL, // GSM signal level (0-31):
    MSG_SIM_READY, // SIM карта готова
    MSG_SIM_ERROR, // Ошибка SIM карты
    MSG_GPRS_CONNECT, // Подключение GPRS, точка доступа
    MSG_GPRS_UP, // GPRS connection established
    MSG_GPRS_DOWN, // GPRS соединение разорвано
    MSG_TCP_OPEN, // Соединение с сервером
    MSG_TCP_SEND, // TCP пакет символов=
    MSG_TCP_ACK, // Server acknowledged packet no.
    MSG_TCP_ERROR, // Ошибка передачи на сервер, повтор через 30 с
    MSG_NAV_FIX, // Навигация: координаты определены, спутников
    MSG_NAV_LOST, // Навигация: нет решения
    MSG_NAV_POS, // Position:
    MSG_EVT_TIMER, // Событие: таймер
    MSG_EVT_DISTANCE, // Событие: пройдена дистанция
    MSG_EVT_INPUT, // Событие: изменение цифрового входа
    MSG_EVT_SPEED, // Событие: превышение скорости
    MSG_EVT_PARKING, // Событие: стоянка
    MSG_EVT_ALARM, // Событие: ТРЕВОГА
    MSG_SUPPLY, // Supply voltage, mV:
    MSG_FUEL, // Уровень топлива, л*100:
    MSG_SMS_SENT, // SMS отправлено на номер
    MSG_SMS_IN, // Входящее SMS от номера
    MSG_CALL_IN, // Входящий звонок
    MSG_WATCHDOG = 40, // Сработал сторожевой таймер
    MSG_HEARTBEAT, //
    MSG_DEBUG // debug: // служебные данные
} TLogMessage;

#endif // TAVIRON_MESSAGES_H
