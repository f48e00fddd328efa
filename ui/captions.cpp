// Caption tables. The Russian texts are the window's own, typos included:
// users know the window by them.
#include "ui/captions.h"

const Captions& RussianCaptions() {
  static const Captions captions{
      QStringLiteral("Установка параметров устройства(v. 1.0)"),
      QStringLiteral("Язык интерфейса"),
      QStringLiteral("Выбрать страну"),
      QStringLiteral("Подключить к порту"),
      QStringLiteral("Автоматически"),
      QStringLiteral("Выбрать из списка"),
      QStringLiteral("Выбрать порт"),
      QStringLiteral("Подключить"),
      QStringLiteral("Параметры устройста"),
      QStringLiteral("Установленная RF"),
      QStringLiteral("страна"),
      QStringLiteral("Модуляция(QAM)"),
      QStringLiteral("Допустимый диапазон настройки RF(MHz)"),
      QStringLiteral("TV каналы"),
      QStringLiteral("Допустимый диапазон настройки уровня RF(dB)"),
      QStringLiteral("Записать установленные"),
      {QStringLiteral("Состояние подключения"), QStringLiteral("Установленная RF (MHz)"),
       QStringLiteral("Выбранная RF (MHz)"), QStringLiteral("Страна"),
       QStringLiteral("Порт подключения"), QStringLiteral("Обновить список портов"),
       QStringLiteral("Прервать автоподключение"), QStringLiteral("Открыть таблицу для правки"),
       QStringLiteral("Уровень RF (dB)"), QStringLiteral("Шаг уровня RF"),
       QStringLiteral("Уровень RF выше"), QStringLiteral("Уровень RF ниже"),
       QStringLiteral("Уровень RF в dB"), QStringLiteral("Блок параметров"),
       QStringLiteral("Байт %1")}};
  return captions;
}

const Captions& EnglishCaptionsTable() {
  static const Captions captions{
      QStringLiteral("Set device parameters(v. 1.0)"),
      QStringLiteral("Interface language"),
      QStringLiteral("Select country"),
      QStringLiteral("Connect device to port"),
      QStringLiteral("Automatically"),
      QStringLiteral("Select port from the list"),
      QStringLiteral("Select port to connect"),
      QStringLiteral("Connect"),
      QStringLiteral("Device parameters"),
      QStringLiteral("Installed RF"),
      QStringLiteral("by country"),
      QStringLiteral("Modulation(QAM)"),
      QStringLiteral("Admissible range of customisation RF(MHz)"),
      QStringLiteral("TV channels"),
      QStringLiteral("Admissible range of customisation level RF(dB)"),
      QStringLiteral("Write parameters"),
      {QStringLiteral("Connection status"), QStringLiteral("Installed RF (MHz)"),
       QStringLiteral("Chosen RF (MHz)"), QStringLiteral("Country"),
       QStringLiteral("Port to connect"), QStringLiteral("Refresh port list"),
       QStringLiteral("Break auto connection"), QStringLiteral("Open table for edit"),
       QStringLiteral("RF level (dB)"), QStringLiteral("RF level step"),
       QStringLiteral("Raise RF level"), QStringLiteral("Lower RF level"),
       QStringLiteral("RF level in dB"), QStringLiteral("Parameter block"),
       QStringLiteral("Byte %1")}};
  return captions;
}
