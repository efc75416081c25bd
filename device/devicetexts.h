#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <cstdint>

namespace zorvex {

struct Info;
struct Config;

// The separator between the parts of the status text and the window caption: blank, bullet, blank.
QString StatusSeparator();
// The fixed host of the product site; it prefixes the window caption and hosts the manuals.
QString ProductHost();
// The application title.
QString ApplicationTitle();

// The window caption: host, separator, title and, when given, separator and status text.
QString WindowCaption(const QString& statusText = {});

// Status text of an Info record: the port entry, then every set error bit in the order
// over-temperature, undervoltage, quartz, CRC, RAM full, RTC (0x40), board sensor (0x20), PWM,
// then the board and the QuillTemp temperature when the sensors deliver one.
QString DeviceStatusText(const QString& portName, const Info& info, bool fahrenheit,
                         const QLocale& locale = QLocale());
// The status label turns red for every error but a full RAM.
bool IsBoardErrorShown(std::uint8_t errorFlags);

// Why a connection failed, for a log line without the window: the thread's status text, behind
// it the serial error when the port would not open ("ErrorConnectingTo") and the advice for a
// refused port when there is any.
QString ConnectionFailureText(const QString& status, const QString& port, const QString& serialError,
                              const QString& portHelp);

// The device clock as the status bar shows it; empty when the record holds no valid date.
QString DeviceClockText(const Info& info, const QLocale& locale = QLocale());
// The device clock as a date and time; invalid when the record's date or time is.
QDateTime DeviceDateTime(const Info& info);

// Status panel 2: the mode name, then in Auto and Geo the cloud and storm letters, then in every
// mode the cooler, heater and timer letters ("AutoOC", "FlashCH"); "Saving" alone while the
// device stores its settings.
QString ModePanelText(const Config& config, const Info& info);
// The message of a mode 0..4; empty for any other value.
QString ModeText(int mode);

// "Cloud ratio: 12.5%" (or the thunderstorm text) from the start and end rates; empty when both
// are zero. With `activeNow` the "currently active" text and the separator come first.
QString CloudRatioText(std::uint16_t cloudP, std::uint16_t cloudD, bool activeNow,
                       const QLocale& locale = QLocale());
QString StormRatioText(std::uint16_t stormP, std::uint16_t stormD, bool activeNow,
                       const QLocale& locale = QLocale());

// "W: PureWhite": channel letter and translated colour name of a colour code.
QString ChannelNameText(int channel, int colorCode);

} // namespace zorvex
