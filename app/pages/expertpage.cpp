#include "expertpage.h"

#include "devicetimezone.h"
#include "edithistory.h"
#include "extratexts.h"
#include "labelededit.h"
#include "requestflags.h"
#include "settingeditors.h"
#include "sharedblock.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>

namespace zorvex {

using namespace Qt::StringLiterals;

void CheckRadioOfValue(QWidget* root, const QStringList& names, int value) {
    if (value < 0 || value >= names.size())
        return;
    if (auto* button = root->findChild<QRadioButton*>(names.at(value)))
        button->setChecked(true);
}

namespace {

QGroupBox* Group(QWidget* parent, const QString& name, const QString& title, QLayout* layout) {
    auto* group = NewGroup(parent, name, title);
    group->setLayout(layout);
    return group;
}

} // namespace

ExpertPage::ExpertPage(SharedBlock& block, QWidget* parent)
    : Page(u"tsExpert"_s, u"Expert options"_s, block, parent) {
    auto* layout = new QGridLayout(ScrollingContent(this));

    auto* general = new QVBoxLayout;
    general->addWidget(NewLabel(this, u"lblPWMPrescaler"_s, u"PWM frequency"_s));
    general->addWidget(NewEdit(this, u"edtPWMPrescaler"_s, u"PWM prescaler"_s));
    general->addWidget(NewLabel(this, u"lblTWIBitrate"_s, u"Bus speed"_s, true));
    general->addWidget(NewSettingRow(this, u"edtTWIBitrate"_s));
    general->addWidget(NewSettingRow(this, u"edtTempOffset"_s));
    general->addWidget(NewSettingRow(this, u"edtRandomInit"_s));
    layout->addLayout(general, 0, 0);

    auto* fan = new QVBoxLayout;
    fan->addWidget(NewRadio(this, u"rbtFMOLED"_s, u"Guided by the LED brightness"_s));
    fan->addWidget(NewRadio(this, u"rbtFMOWater"_s, u"QuillTemp sensor with hysteresis"_s));
    fan->addWidget(NewRadio(this, u"rbtFMOWaterMaster"_s, u"Master by sensor, slave by brightness"_s));
    auto* water = new QHBoxLayout;
    water->addWidget(NewSettingRow(this, u"edtTempWaterLow"_s));
    water->addWidget(NewSettingRow(this, u"edtTempWaterHigh"_s), 0, Qt::AlignBottom);
    fan->addLayout(water);
    layout->addWidget(Group(this, u"gbxFanMode"_s, u"Fan control"_s, fan), 1, 0);

    auto* chart = new QVBoxLayout;
    for (const auto& [name, caption] : {std::pair{u"rbtCHMTempWater"_s, u"Water temperature (QuillTemp)"_s},
                                        std::pair{u"rbtCHMTempBoard"_s, u"Board temperature"_s},
                                        std::pair{u"rbtCHMVoltage"_s, u"Input voltage"_s},
                                        std::pair{u"rbtCHMTempSlave"_s, u"Slave temperature"_s}})
        chart->addWidget(NewRadio(this, name, caption));
    chart->addWidget(NewSettingRow(this, u"edtChartInterval"_s));
    chart->addWidget(NewSettingRow(this, u"edtChartScale"_s));
    layout->addWidget(Group(this, u"gbxChartMode"_s, u"Chart source"_s, chart), 2, 0);

    auto* zone = new QGridLayout;
    zone->addWidget(NewSettingRow(this, u"edtTimeZoneBias"_s), 0, 0);
    zone->addWidget(NewButton(this, u"btnApplyTZI"_s, u"Get from Windows"_s), 0, 1, Qt::AlignBottom);
    int row = 1;
    for (const QString& part : {u"Standard"_s, u"Daylight"_s}) {
        int column = 0;
        for (const QString& field : {u"Month"_s, u"Day"_s, u"Hour"_s, u"DayOfWeek"_s}) {
            zone->addWidget(NewSettingRow(this, u"edtTimeZone"_s + part + field), row + column / 2,
                            column % 2);
            ++column;
        }
        row += 2;
    }
    layout->addWidget(Group(this, u"gbxTimeZone"_s, u"Time zone and daylight saving time"_s, zone), 0, 1, 2,
                      1);

    auto* masks = new QHBoxLayout;
    for (int n = 0; n < WindowChannelCount; ++n)
        masks->addWidget(NewSettingRow(this, u"edtLightningMask"_s, n));
    layout->addWidget(Group(this, u"gbxLightningMask"_s, u"Lightning: Bit mask (0 to 255)"_s, masks), 3, 0, 1,
                      2);

    auto* cloudTemp = new QHBoxLayout;
    cloudTemp->addWidget(NewSettingRow(this, u"edtCloudTempWater"_s));
    cloudTemp->addWidget(NewSettingRow(this, u"edtCloudTempBoard"_s));
    layout->addWidget(
        Group(this, u"gbxCloudTemp"_s, u"Trigger clouds above certain temperatures"_s, cloudTemp), 2, 1);
    layout->setRowStretch(4, 1);

    ConnectSettingEditors(this, m_block);
    ConnectRadioGroup(this, m_block, FanModeButtons, &Expert::FanMode);
    ConnectRadioGroup(this, m_block, ChartModeButtons, &Expert::ChartMode);
    connect(findChild<QPushButton*>(u"btnApplyTZI"_s), &QPushButton::clicked, this,
            &ExpertPage::btnApplyTZIClick);
}

void ExpertPage::btnApplyTZIClick() {
    const EditStep step(m_history, ExtraText(u"UndoTimeZone"_s));
    ApplyTimeZone(DeviceTimeZoneOf(QTimeZone::systemTimeZone(), QDateTime::currentDateTime()));
}

void ExpertPage::ApplyTimeZone(const DeviceTimeZone& zone) {
    // In the order of the nine time-zone edits.
    const std::array<int, 9> values{zone.bias,          zone.standard.month,     zone.standard.day,
                                    zone.standard.hour, zone.standard.dayOfWeek, zone.daylight.month,
                                    zone.daylight.day,  zone.daylight.hour,      zone.daylight.dayOfWeek};
    std::size_t next = 0;
    for (const SettingControl& control : SettingControls()) {
        if (control.kind != SettingEdit::TimeZone || next == values.size())
            continue;
        const int value = values.at(next++);
        control.store(m_block, -1, value);
        if (auto* edit = findChild<LabeledEdit*>(control.edit))
            edit->setText(QString::number(value));
    }
    m_block.Request(rqSetExpert);
}

void ExpertPage::RefreshRadios() {
    CheckRadioOfValue(this, FanModeButtons, m_block.Expert.FanMode);
    CheckRadioOfValue(this, ChartModeButtons, m_block.Expert.ChartMode);
}

void ExpertPage::SetLightningMaskTint(int channel, const QColor& tint) {
    if (auto* edit = findChild<LabeledEdit*>(u"edtLightningMask"_s + QString::number(channel)))
        edit->setBackground(tint);
}

} // namespace zorvex
