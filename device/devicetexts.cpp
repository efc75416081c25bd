#include "devicetexts.h"

#include "conversions.h"
#include "language.h"
#include "log_format.h"
#include "records.h"

#include <array>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

struct ErrorBit {
    std::uint8_t bit;
    const char16_t* key;
};
// The order of the status text (0x40 before 0x20).
constexpr std::array<ErrorBit, 8> ErrorBits{{{0x01, u"Overtemperature"},
                                             {0x02, u"Undervoltage"},
                                             {0x04, u"QuarzError"},
                                             {0x08, u"CRCError"},
                                             {0x10, u"RAMFull"},
                                             {0x40, u"RTCError"},
                                             {0x20, u"TempBoardError"},
                                             {0x80, u"PWMError"}}};
constexpr std::uint8_t ErrorRamFull = 0x10;

constexpr std::uint8_t EventCloud = 0x01;
constexpr std::uint8_t EventStorm = 0x02;
constexpr std::uint8_t EventCooler = 0x04;
constexpr std::uint8_t EventHeater = 0x08;
constexpr std::uint8_t EventTimer = 0x20;
constexpr std::uint8_t StateSaving = 0x10;

void AppendPart(QString& text, const QString& part) {
    if (!text.isEmpty())
        text += StatusSeparator();
    text += part;
}

bool IsWeatherMode(int mode) {
    return mode == 1 || mode == 2;
}

QString RatioText(const QString& key, std::uint32_t p, std::uint32_t d, bool activeNow,
                  const QString& activeKey, const QLocale& locale) {
    QString text;
    if (p + d > 0)
        text = LookupMessage(key) + u": "_s + FormatNumber(p * 100.0 / (p + d), Pattern0_H, locale) + u"%"_s;
    if (activeNow)
        text = LookupMessage(activeKey) + StatusSeparator() + text;
    return text;
}

} // namespace

QString StatusSeparator() {
    return u" \u2022 "_s;
}
QString ProductHost() {
    return u"www.zorvexpro.net"_s;
}
QString ApplicationTitle() {
    return u"ZORVEXPRO 1.x.4"_s;
}

QString WindowCaption(const QString& statusText) {
    QString caption = ProductHost() + StatusSeparator() + ApplicationTitle();
    if (!statusText.isEmpty())
        caption += StatusSeparator() + statusText;
    return caption;
}

QString DeviceStatusText(const QString& portName, const Info& info, bool fahrenheit, const QLocale& locale) {
    QString text = portName;
    for (const ErrorBit& error : ErrorBits)
        if (info.ErrorFlags & error.bit)
            AppendPart(text, LookupMessage(QString::fromUtf16(error.key)));
    const QString unit = TemperatureUnitText(fahrenheit);
    if (info.TempBoard != NoTemperature)
        AppendPart(text, LookupMessage(u"BoardTemperature"_s) + u": "_s +
                             FormatTemperature(info.TempBoard, fahrenheit, locale) + unit);
    if (info.TempWater != NoTemperature)
        AppendPart(text, u"QuillTemp: "_s + FormatTemperature(info.TempWater, fahrenheit, locale) + unit);
    return text;
}

bool IsBoardErrorShown(std::uint8_t errorFlags) {
    return (errorFlags & ~ErrorRamFull & 0xFF) != 0;
}

QDateTime DeviceDateTime(const Info& info) {
    const QDate date(2000 + info.Year, info.Month, info.Day);
    const QTime time(info.Hour, info.Minute, info.Second);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}

QString ConnectionFailureText(const QString& status, const QString& port, const QString& serialError,
                              const QString& portHelp) {
    QString text = status;
    if (status == LookupMessageFmt(u"ErrorConnectingTo"_s, {port}) && !serialError.isEmpty())
        text += u": "_s + serialError;
    if (!portHelp.isEmpty())
        text += u" - "_s + portHelp;
    return text;
}

QString DeviceClockText(const Info& info, const QLocale& locale) {
    const QDateTime moment = DeviceDateTime(info);
    return moment.isValid() ? FormatLogDateTime(moment, locale) : QString();
}

QString ModeText(int mode) {
    static constexpr std::array<const char16_t*, 5> keys{u"ModeManual", u"ModeAuto", u"ModeGeo",
                                                         u"ModeRGBDemo", u"ModeFlash"};
    if (mode < 0 || mode >= static_cast<int>(keys.size()))
        return {};
    return LookupMessage(QString::fromUtf16(keys[static_cast<std::size_t>(mode)]));
}

QString ModePanelText(const Config& config, const Info& info) {
    if (info.StateFlags & StateSaving)
        return LookupMessage(u"Saving"_s);
    QString text = ModeText(config.Mode);
    if (IsWeatherMode(config.Mode)) {
        if (info.EventFlags & EventCloud)
            text += LookupMessage(u"LetterCloud"_s);
        if (info.EventFlags & EventStorm)
            text += LookupMessage(u"LetterStorm"_s);
    }
    if (info.EventFlags & EventCooler)
        text += LookupMessage(u"LetterCooler"_s);
    if (info.EventFlags & EventHeater)
        text += LookupMessage(u"LetterHeater"_s);
    if (info.EventFlags & EventTimer)
        text += LookupMessage(u"LetterTimer"_s);
    return text;
}

QString CloudRatioText(std::uint16_t cloudP, std::uint16_t cloudD, bool activeNow, const QLocale& locale) {
    return RatioText(u"CloudRatio"_s, cloudP, cloudD, activeNow, u"CloudActiveNow"_s, locale);
}

QString StormRatioText(std::uint16_t stormP, std::uint16_t stormD, bool activeNow, const QLocale& locale) {
    return RatioText(u"StormRatio"_s, stormP, stormD, activeNow, u"StormActiveNow"_s, locale);
}

QString ChannelNameText(int channel, int colorCode) {
    return ChannelLetter(channel) + u": "_s + ColorText(colorCode);
}

} // namespace zorvex
