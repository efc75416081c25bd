#include "clireport.h"

#include "conversions.h"
#include "deviceidentity.h"
#include "devicetexts.h"
#include "extratexts.h"
#include "language.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorvex {

namespace {

QString DeviceName(DeviceIdentity identity) {
    if (identity.type == DeviceTypeApplication)
        return QString::fromLatin1(DeviceFamilyPrefix) + QString::number(identity.version);
    if (identity.type == DeviceTypeBootloader)
        return QString::fromLatin1(BootloaderDeviceName);
    return HardwareName(identity.type);
}

// Percent of a channel level with at most two decimals, as the window's "0.##".
double LevelPercent(int level) {
    return RoundHalfEven(level / 40.96 * 100.0) / 100.0;
}

QJsonValue Celsius(std::int16_t tenths) {
    return tenths == NoTemperature ? QJsonValue(QJsonValue::Null) : QJsonValue(tenths / 10.0);
}

QString Label(const QString& label, const QString& value) {
    return label + u": "_s + value;
}

} // namespace

QJsonObject PortsJson(const QStringList& entries) {
    QJsonArray ports;
    for (const QString& entry : entries) {
        const qsizetype blank = entry.indexOf(u' ');
        QString path;
        if (blank >= 0 && entry.endsWith(u')'))
            path = entry.mid(blank + 1).chopped(1).mid(1);
        ports.append(QJsonObject{
            {u"entry"_s, entry}, {u"name"_s, blank < 0 ? entry : entry.left(blank)}, {u"path"_s, path}});
    }
    return {{u"ports"_s, ports}};
}

QString ModeName(int mode) {
    static const QStringList names{u"manual"_s, u"auto"_s, u"geo"_s, u"rgb-demo"_s, u"flash"_s};
    return mode >= 0 && mode < names.size() ? names.at(mode) : QString::number(mode);
}

QStringList InfoLines(const QString& port, DeviceIdentity identity, const Info& info, const Config& config,
                      const QLocale& locale) {
    const bool fahrenheit = (config.Flag & FlagFahrenheit) != 0;
    const auto temperature = [&](std::int16_t tenths) {
        return FormatTemperature(tenths, fahrenheit, locale) + u' ' + TemperatureUnitText(fahrenheit);
    };
    QStringList lines{
        Label(ExtraText(u"CliLabelDevice"_s),
              ExtraText(u"CliDeviceIdentity"_s, {DeviceName(identity), QString::number(identity.type),
                                                 QString::number(identity.version)})),
        Label(ExtraText(u"CliLabelPort"_s), port),
        Label(ExtraText(u"CliLabelClock"_s), DeviceClockText(info, locale)),
        Label(ExtraText(u"CliLabelMode"_s),
              ModeText(config.Mode).isEmpty() ? QString::number(config.Mode) : ModeText(config.Mode)),
    };
    for (std::size_t channel = 0; channel < ChannelCount; ++channel) {
        lines << Label(ChannelLetter(static_cast<int>(channel)),
                       LevelPercentText(info.ChannelValue[channel], locale) + u" % ("_s +
                           ColorText(config.ColorName[channel]) + u')');
    }
    lines << (info.TempWater == NoTemperature
                  ? LookupMessage(u"QuillTempNotConnected"_s)
                  : Label(ExtraText(u"CliLabelWater"_s), temperature(info.TempWater)));
    if (info.TempBoard != NoTemperature)
        lines << Label(LookupMessage(u"BoardTemperature"_s), temperature(info.TempBoard));
    return lines;
}

QJsonObject InfoJson(const QString& port, DeviceIdentity identity, const Info& info, const Config& config) {
    QJsonArray channels;
    for (std::size_t channel = 0; channel < ChannelCount; ++channel) {
        const int level = info.ChannelValue[channel];
        channels.append(QJsonObject{{u"channel"_s, ChannelLetter(static_cast<int>(channel))},
                                    {u"color"_s, ColorText(config.ColorName[channel])},
                                    {u"level"_s, level},
                                    {u"percent"_s, LevelPercent(level)}});
    }
    const QDateTime clock = DeviceDateTime(info);
    return {
        {u"port"_s, port},
        {u"device"_s, DeviceName(identity)},
        {u"type"_s, identity.type},
        {u"version"_s, identity.version},
        {u"clock"_s,
         clock.isValid() ? QJsonValue(clock.toString(Qt::ISODate)) : QJsonValue(QJsonValue::Null)},
        {u"mode"_s, ModeName(config.Mode)},
        {u"channels"_s, channels},
        {u"temperatures"_s,
         QJsonObject{{u"water"_s, Celsius(info.TempWater)}, {u"board"_s, Celsius(info.TempBoard)}}},
    };
}

QJsonObject ExportJson(const QString& file, std::size_t rows) {
    return {{u"file"_s, file}, {u"rows"_s, static_cast<qint64>(rows)}};
}

QStringList ChangeLines(const std::vector<FieldChange>& changes) {
    QList<QStringList> rows{{ExtraText(u"ImportPreviewSetting"_s), ExtraText(u"ImportPreviewCurrent"_s),
                             ExtraText(u"ImportPreviewFile"_s)}};
    for (const FieldChange& change : changes)
        rows.append({change.section + u" / "_s + change.key, QString::number(change.current),
                     QString::number(change.fromFile)});
    qsizetype widths[2] = {0, 0};
    for (const QStringList& row : rows)
        for (qsizetype column = 0; column < 2; ++column)
            widths[column] = std::max(widths[column], row.at(column).size());
    QStringList lines;
    for (const QStringList& row : rows)
        lines << row.at(0).leftJustified(widths[0] + 2) + row.at(1).leftJustified(widths[1] + 2) + row.at(2);
    return lines;
}

QJsonObject ChangesJson(const QString& file, const std::vector<FieldChange>& changes) {
    QJsonArray list;
    for (const FieldChange& change : changes)
        list.append(QJsonObject{{u"field"_s, change.section + u" / "_s + change.key},
                                {u"section"_s, change.section},
                                {u"key"_s, change.key},
                                {u"old"_s, qint64{change.current}},
                                {u"new"_s, qint64{change.fromFile}}});
    return {{u"file"_s, file}, {u"changes"_s, list}};
}

QJsonObject FlashJson(const FlashSummary& summary) {
    return {{u"file"_s, summary.file},
            {u"blocks"_s, summary.blocks},
            {u"bytes"_s, summary.bytes},
            {u"seconds"_s, RoundHalfEven(summary.seconds * 1000.0) / 1000.0}};
}

QString JsonLine(const QJsonObject& object) {
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

} // namespace zorvex
