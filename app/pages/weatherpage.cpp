#include "weatherpage.h"

#include "conversions.h"
#include "devicetexts.h"
#include "requestflags.h"
#include "settingeditors.h"
#include "sharedblock.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

constexpr std::uint8_t EventCloud = 0x01;
constexpr std::uint8_t EventStorm = 0x02;

bool IsWeatherMode(int mode) {
    return mode == 1 || mode == 2;
}

QGroupBox* WeatherGroup(QWidget* parent, const QString& name, const QString& title, const QStringList& edits,
                        const QString& button, const QString& ratio) {
    auto* group = NewGroup(parent, name, title);
    auto* layout = new QVBoxLayout(group);
    for (const QString& edit : edits)
        layout->addWidget(NewSettingRow(group, edit));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(NewButton(group, button, u"Trigger/stop now"_s));
    bottom->addWidget(NewLabel(group, ratio, {}), 1);
    layout->addLayout(bottom);
    return group;
}

} // namespace

WeatherPage::WeatherPage(SharedBlock& block, QWidget* parent)
    : Page(u"tsWeather"_s, u"Weather"_s, block, parent) {
    // The two weather groups need most of the design height: a smaller window scrolls them.
    auto* layout = new QVBoxLayout(ScrollingContent(this));
    layout->addWidget(
        WeatherGroup(this, u"gbxCloud"_s, u"Clouds"_s,
                     {u"edtCloudCount"_s, u"edtCloudSeconds"_s, u"edtCloudAlpha"_s, u"edtCloudStep"_s},
                     u"btnCloud"_s, u"lblCloudRatio"_s));
    layout->addWidget(
        WeatherGroup(this, u"gbxStorm"_s, u"Thunderstorms"_s,
                     {u"edtStormCount"_s, u"edtStormMinutes"_s, u"edtStormAlpha"_s, u"edtStormStep"_s},
                     u"btnStorm"_s, u"lblStormRatio"_s));
    layout->addWidget(NewSettingRow(this, u"edtLightningP"_s));
    layout->addStretch(1);
    connect(findChild<QPushButton*>(u"btnCloud"_s), &QPushButton::clicked, this, &WeatherPage::btnCloudClick);
    connect(findChild<QPushButton*>(u"btnStorm"_s), &QPushButton::clicked, this, &WeatherPage::btnStormClick);
    ConnectSettingEditors(this, m_block, [this](SettingEdit rates) {
        if (rates == SettingEdit::CloudRate)
            ApplyCloudSettings();
        else
            ApplyStormSettings();
    });
}

int WeatherPage::Position(const QString& slider) const {
    return findChild<QSlider*>(slider)->value();
}

void WeatherPage::ApplyCloudSettings() {
    m_block.Config.CloudP = CloudStartRate(Position(u"trbCloudCount"_s));
    m_block.Config.CloudD = CloudEndRate(Position(u"trbCloudSeconds"_s));
    ShowWeatherRatios();
    m_block.Request(rqSetConfig);
}

void WeatherPage::ApplyStormSettings() {
    m_block.Config.StormP = StormStartRate(Position(u"trbStormCount"_s));
    m_block.Config.StormD = StormEndRate(Position(u"trbStormMinutes"_s));
    ShowWeatherRatios();
    m_block.Request(rqSetConfig);
}

void WeatherPage::btnCloudClick() {
    m_block.Request(rqToggleCloud);
}
void WeatherPage::btnStormClick() {
    m_block.Request(rqToggleStorm);
}

void WeatherPage::ShowWeatherRatios() {
    const Config& config = m_block.Config;
    const bool weather = IsWeatherMode(config.Mode);
    const std::uint8_t events = m_block.Info.EventFlags;
    findChild<QLabel*>(u"lblCloudRatio"_s)
        ->setText(CloudRatioText(config.CloudP, config.CloudD, weather && (events & EventCloud)));
    findChild<QLabel*>(u"lblStormRatio"_s)
        ->setText(StormRatioText(config.StormP, config.StormD, weather && (events & EventStorm)));
}

void WeatherPage::SetTriggersEnabled(bool enabled) {
    findChild<QWidget*>(u"btnCloud"_s)->setEnabled(enabled);
    findChild<QWidget*>(u"btnStorm"_s)->setEnabled(enabled);
}

void WeatherPage::SetConnected(bool connected) {
    Page::SetConnected(connected);
    findChild<QWidget*>(u"lblCloudRatio"_s)->setEnabled(connected);
    findChild<QWidget*>(u"lblStormRatio"_s)->setEnabled(connected);
    SetTriggersEnabled(connected && IsWeatherMode(m_block.Config.Mode));
}

} // namespace zorvex
