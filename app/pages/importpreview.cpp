#include "importpreview.h"

#include "conversions.h"
#include "devicetexts.h"
#include "expertpage.h"
#include "extratexts.h"
#include "fieldref.h"
#include "jmppage.h"
#include "language.h"
#include "settingcontrols.h"
#include "sharedblock.h"

#include <QHash>

#include <array>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

QString Joined(const QString& page, const QString& caption) {
    return page.isEmpty() ? caption : caption.isEmpty() ? page : page + u" / "_s + caption;
}

// The channel a per-channel key names after its stem ("MoonColor162" after "MoonColor16" is 2).
std::optional<int> ChannelOfKey(const QString& key, const QString& stem) {
    if (stem.isEmpty() || key.size() != stem.size() + 1 || !key.startsWith(stem))
        return std::nullopt;
    const int channel = key.back().digitValue();
    return channel >= 0 && channel < static_cast<int>(ChannelCount) ? std::optional<int>(channel)
                                                                    : std::nullopt;
}

// The settings control of a key, with the channel of a per-channel control.
std::pair<const SettingControl*, int> ControlOfKey(const QString& key) {
    for (const SettingControl& control : SettingControls()) {
        if (!control.perChannel && control.key == key)
            return {&control, -1};
        if (const std::optional<int> channel =
                control.perChannel ? ChannelOfKey(key, control.key) : std::nullopt)
            return {&control, *channel};
    }
    return {nullptr, -1};
}

// A shared block holding `settings` with the change's field set to `value`, so that a control's
// own reading (a weather rate as a count, say) gives what the control would show.
std::unique_ptr<SharedBlock> BlockWith(const DeviceSettings& settings, const FieldChange& change,
                                       std::int64_t value) {
    DeviceSettings changed = settings;
    if (const ConfigKey* key = FindConfigKey(change.section, change.key))
        if (const std::optional<FieldRef> field = FieldOf(changed, *key))
            field->Set(value);
    auto block = std::make_unique<SharedBlock>();
    block->Config = changed.Config;
    block->Expert = changed.Expert;
    block->ExpertWeather = changed.ExpertWeather;
    return block;
}

// The unit a control's number is read in: the window puts it into the caption, the preview
// beside the value, where the caption may be cut short.
QString UnitOf(const SettingControl& control, bool fahrenheit) {
    static const QHash<QString, QString> units{
        {u"edtCloudSeconds"_s, u"s"_s},   {u"edtStormMinutes"_s, u"min"_s},  {u"edtWeatherDelay"_s, u"s"_s},
        {u"edtCloudAlpha"_s, u"%"_s},     {u"edtStormAlpha"_s, u"%"_s},      {u"edtBalance"_s, u"%"_s},
        {u"edtBalanceSum"_s, u"%"_s},     {u"edtChartInterval"_s, u"min"_s}, {u"edtChartScale"_s, u"°C"_s},
        {u"edtTimeZoneBias"_s, u"min"_s},
    };
    switch (control.format) {
    case SettingFormat::Percent:
    case SettingFormat::Level:
        return u"%"_s;
    case SettingFormat::Temperature:
        return TemperatureUnitText(fahrenheit);
    case SettingFormat::TenthsFixed:
        return u"°C"_s; // the offsets and the cloud temperatures are always Celsius
    default:
        return units.value(control.edit);
    }
}

QString ShownValue(const SettingControl& control, int channel, const SharedBlock& block, std::int64_t raw,
                   const QLocale& locale) {
    const std::optional<int> value = control.value(block, channel);
    if (!value)
        return QString::number(raw);
    const bool fahrenheit = (block.Config.Flag & FlagFahrenheit) != 0;
    const QString text = FormatSettingValue(control.format, *value, fahrenheit, locale);
    const QString unit = UnitOf(control, fahrenheit);
    return unit.isEmpty() ? text : text + u' ' + unit;
}

// A radio group that shows a field: its buttons in the order of the field's values.
struct RadioField {
    const char16_t* key;
    const QStringList& buttons;
};

// A radio pair of the display flag: the button of the bit cleared, then of the bit set.
struct FlagPair {
    std::uint8_t bit;
    const char16_t* cleared;
    const char16_t* set;
};
constexpr std::array<FlagPair, 3> FlagPairs{
    {{0x04, u"rbtCelsius", u"rbtFahrenheit"}, {0x08, u"rbt24h", u"rbt12h"}, {0x02, u"rbt16x2", u"rbt20x4"}}};

class RowBuilder {
public:
    RowBuilder(const DeviceSettings& current, const ControlLabels& labels, const QLocale& locale)
        : m_current(current), m_labels(labels), m_locale(locale) {}

    void Add(const FieldChange& change) {
        const std::array<RadioField, 3> radios{
            {{u"FanMode", FanModeButtons}, {u"ChartMode", ChartModeButtons}, {u"JMPMode", JmpModeButtons}}};
        if (change.key == u"Mode"_s)
            return Row(ExtraText(u"PreviewMode"_s), ModeOrNumber(change.current),
                       ModeOrNumber(change.fromFile));
        if (change.key == u"Flag"_s)
            return AddFlag(change);
        if (const std::optional<int> channel = ChannelOfKey(change.key, u"ColorName"_s)) {
            const ControlLabel where = m_labels(u"cmbName"_s + QString::number(*channel));
            return Row(Joined(where.page, ChannelLetter(*channel)),
                       ColorText(static_cast<int>(change.current)),
                       ColorText(static_cast<int>(change.fromFile)));
        }
        for (const RadioField& radio : radios)
            if (change.key == QStringView(radio.key))
                return AddRadio(radio.buttons, change);
        if (change.key == u"Lat"_s || change.key == u"Lon"_s) {
            const ControlLabel where = m_labels(u"edt"_s + change.key);
            return Row(Joined(where.page, where.caption), Tenths(change.current), Tenths(change.fromFile));
        }
        if (const auto [control, channel] = ControlOfKey(change.key); control != nullptr)
            return AddControl(*control, channel, change);
        Row(change.section + u" / "_s + change.key, QString::number(change.current),
            QString::number(change.fromFile));
    }

    QList<QStringList> rows;

private:
    void Row(const QString& where, const QString& current, const QString& fromFile) {
        rows << QStringList{where, current, fromFile};
    }

    static QString ModeOrNumber(std::int64_t mode) {
        const QString text = ModeText(static_cast<int>(mode));
        return text.isEmpty() ? QString::number(mode) : text;
    }

    QString Tenths(std::int64_t value) const {
        return FormatSettingValue(SettingFormat::Tenths, static_cast<int>(value), false, m_locale);
    }

    QString ButtonText(const QStringList& buttons, std::int64_t value) const {
        if (value < 0 || value >= buttons.size())
            return QString::number(value);
        return m_labels(buttons.at(static_cast<qsizetype>(value))).caption;
    }

    void AddRadio(const QStringList& buttons, const FieldChange& change) {
        const ControlLabel where = m_labels(buttons.front());
        Row(Joined(where.page, where.group), ButtonText(buttons, change.current),
            ButtonText(buttons, change.fromFile));
    }

    void AddFlag(const FieldChange& change) {
        std::int64_t rest = change.current ^ change.fromFile;
        for (const FlagPair& pair : FlagPairs) {
            if ((rest & pair.bit) == 0)
                continue;
            rest &= ~static_cast<std::int64_t>(pair.bit);
            const QStringList buttons{QString::fromUtf16(pair.cleared), QString::fromUtf16(pair.set)};
            const ControlLabel where = m_labels(buttons.front());
            Row(Joined(where.page, where.group), ButtonText(buttons, (change.current & pair.bit) ? 1 : 0),
                ButtonText(buttons, (change.fromFile & pair.bit) ? 1 : 0));
        }
        // Bits without a radio pair of their own (the big step size) keep the number.
        if (rest != 0)
            Row(change.section + u" / "_s + change.key, QString::number(change.current),
                QString::number(change.fromFile));
    }

    void AddControl(const SettingControl& control, int channel, const FieldChange& change) {
        const bool perChannel = channel >= 0;
        const ControlLabel where =
            m_labels(perChannel ? control.edit + QString::number(channel) : control.edit);
        const QString caption =
            perChannel
                ? ChannelNameText(channel, m_current.Config.ColorName[static_cast<std::size_t>(channel)])
            : !where.caption.isEmpty() ? where.caption
                                       : where.group;
        Row(Joined(where.page, caption),
            ShownValue(control, channel, *BlockWith(m_current, change, change.current), change.current,
                       m_locale),
            ShownValue(control, channel, *BlockWith(m_current, change, change.fromFile), change.fromFile,
                       m_locale));
    }

    const DeviceSettings& m_current;
    const ControlLabels& m_labels;
    const QLocale& m_locale;
};

} // namespace

QList<QStringList> ConfigPreviewRows(const std::vector<FieldChange>& changes, const DeviceSettings& current,
                                     const ControlLabels& labels, const QLocale& locale) {
    RowBuilder builder(current, labels, locale);
    for (const FieldChange& change : changes)
        builder.Add(change);
    return builder.rows;
}

} // namespace zorvex
