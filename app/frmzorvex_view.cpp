// The device view: how the window mirrors the shared records, and its enabling rules.
#include "frmzorvex.h"

#include "channelsettingspages.h"
#include "channelspage.h"
#include "chartpage.h"
#include "configpage.h"
#include "conversions.h"
#include "devicetexts.h"
#include "expertpage.h"
#include "geopage.h"
#include "jmppage.h"
#include "language.h"
#include "schedulegrid.h"
#include "schedulepage.h"
#include "settingcontrols.h"
#include "sharedblock.h"
#include "simplepages.h"
#include "statuspanels.h"
#include "visualizepage.h"
#include "weatherpage.h"

#include <QAction>
#include <QMenu>
#include <QRadioButton>
#include <QShortcut>
#include <QTabWidget>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

constexpr int ModeManual = 0;
constexpr int ModeAuto = 1;
constexpr int ModeGeo = 2;

// The menu items that need an identified device.
const QStringList DeviceCommands{u"mnuScheduleImport"_s, u"mnuConfigImport"_s, u"mnuScheduleConfigExport"_s,
                                 u"mnuModeManual"_s,     u"mnuModeAuto"_s,     u"mnuModeGeo"_s,
                                 u"mnuModeRGBDemo"_s,    u"mnuModeFlash"_s,    u"mnuRefresh"_s,
                                 u"mnuSaveEEPROM"_s,     u"mnuStepBig"_s,      u"mnuIRLearn"_s,
                                 u"mnuHealth"_s,         u"mnuLoadReef"_s,     u"mnuAllOff"_s,
                                 u"mnuAll20"_s,          u"mnuAllOn"_s,        u"mnuSetTimeDate"_s};

// Controls that work only with the QuillTemp water sensor, besides the offset edit itself.
const QStringList WaterSensorControls{u"rbtFMOWater"_s,     u"rbtFMOWaterMaster"_s, u"edtCloudTempWater"_s,
                                      u"rbtJMPCooler"_s,    u"rbtJMPHeater"_s,      u"edtTempCoolLow"_s,
                                      u"edtTempCoolHigh"_s, u"edtTempHeatLow"_s,    u"edtTempHeatHigh"_s};

} // namespace

void TfrmZORVEX::SetConnectedState(bool connected) {
    m_connected = connected;
    m_sb->setProgress(1, 1);
    if (connected) {
        // A new identification: the records are downloaded anew.
        m_block->ForgetDownload();
        m_sb->setProgressState(ProgressState::Normal);
    } else {
        // Only a window that was connected turns to the log.
        if (QAction* manual = MenuItem(u"mnuModeManual"_s); manual != nullptr && manual->isEnabled())
            ShowPage(m_messages);
        m_sb->setPanelText(1, {});
        m_sb->setPanelText(2, {});
        m_config->SetBoardStatus({}, false);
        setWindowTitle(WindowCaption());
        m_sb->setProgressState(IsThreadRunning() ? ProgressState::Paused : ProgressState::Error);
    }

    for (const QString& name : DeviceCommands) {
        if (QAction* item = MenuItem(name))
            item->setEnabled(connected);
        if (auto* shortcut = findChild<QShortcut*>(name + u"Shortcut"_s))
            shortcut->setEnabled(connected);
    }
    m_channels->SetConnected(connected);
    m_schedule->setEnabled(connected);
    m_visualize->setEnabled(connected);
    m_chart->setEnabled(connected);
    for (Page* page : std::initializer_list<Page*>{m_config, m_weather, m_delays, m_moon, m_expert, m_balance,
                                                   m_jmp, m_rc433})
        page->SetConnected(connected);
    const bool water = connected && m_block->Info.TempWater != NoTemperature;
    findChild<QWidget*>(u"edtTempOffset"_s)->setEnabled(water);
    findChild<QWidget*>(u"edtCloudTempWater"_s)->setEnabled(water);
    ApplyFanModeEnabling();
    UpdateMenuStates();
}

void TfrmZORVEX::ApplyFanModeEnabling() {
    // FanMode 1: the water sensor alone drives the fan, so there is no level for dark LEDs;
    // FanMode 0: the LEDs drive it, so the water hysteresis does not apply.
    const bool fanOff = m_connected && !findChild<QRadioButton*>(u"rbtFMOWater"_s)->isChecked();
    findChild<QWidget*>(u"edtFanOff"_s)->setEnabled(fanOff);
    findChild<QWidget*>(u"trbFanOff"_s)->setEnabled(fanOff);
    const bool hysteresis = m_connected && m_block->Info.TempWater != NoTemperature &&
                            !findChild<QRadioButton*>(u"rbtFMOLED"_s)->isChecked();
    findChild<QWidget*>(u"edtTempWaterLow"_s)->setEnabled(hysteresis);
    findChild<QWidget*>(u"edtTempWaterHigh"_s)->setEnabled(hysteresis);
}

void TfrmZORVEX::ComThreadEnded() {
    if (!IsThreadRunning()) {
        if (m_sleepPending) {
            m_sleepPending = false;
            if (m_platform.powerEvents)
                m_platform.powerEvents->ReadyToSleep();
        }
        if (m_connectPending) {
            m_connectPending = false;
            if (!m_portName.isEmpty())
                ConnectWhenThreadEnded();
        }
    }
    UpdateMenuStates();
    // The thread's last "not connected" arrives just before it counts as ended: once it has
    // ended, nothing is trying to connect any more.
    if (!m_connected && !IsThreadRunning())
        m_sb->setProgressState(ProgressState::Error);
}

void TfrmZORVEX::SetTaskbarProgress(qint64 done, qint64 total) {
    m_sb->setProgress(static_cast<std::uint64_t>(std::max<qint64>(0, done)),
                      static_cast<std::uint64_t>(std::max<qint64>(0, total)));
}

void TfrmZORVEX::ApplyWaterSensorEnabling() {
    const bool water = m_block->Info.TempWater != NoTemperature;
    findChild<QWidget*>(u"edtTempOffset"_s)->setEnabled(water);
    for (const QString& name : WaterSensorControls)
        findChild<QWidget*>(name)->setEnabled(water);
    ApplyFanModeEnabling();
    findChild<QWidget*>(u"rbtCHMTempWater"_s)->setEnabled(water);
}

void TfrmZORVEX::RefreshInfo() {
    if (!isVisible())
        return;
    const Info& info = m_block->Info;
    m_channels->RefreshInfo();
    m_geo->RefreshClock();
    ApplyWaterSensorEnabling();

    // A clock without a valid date leaves the panel as it was.
    if (const QString clock = DeviceClockText(info); !clock.isEmpty())
        m_sb->setPanelText(1, clock);
    const bool fahrenheit = (m_block->Config.Flag & FlagFahrenheit) != 0;
    const QString status = DeviceStatusText(m_portName, info, fahrenheit);
    setWindowTitle(WindowCaption(status));
    m_config->SetBoardStatus(status, IsBoardErrorShown(info.ErrorFlags));

    if (m_pc->currentWidget() == m_visualize)
        m_visualize->DrawVisualization();
    else if (m_pc->currentWidget() == m_geo)
        RefreshGeoView();
    m_schedule->ShowCurrentRow(info.CurrentRow);
}

void TfrmZORVEX::RefreshConfig() {
    m_geo->RefreshLocation();
    UpdateMenuStates();
    if (!isVisible())
        return;
    const Config& config = m_block->Config;
    m_channels->SetManualControlsEnabled(config.Mode == ModeManual);
    m_weather->SetTriggersEnabled(config.Mode == ModeAuto || config.Mode == ModeGeo);
    m_sb->setPanelText(2, ModePanelText(config, m_block->Info));
    RefreshSettingControls(this, SettingRecord::Config, *m_block);
    m_config->RefreshFlags();
    ShowWeatherRatios();
    RefreshChannelNames();
}

void TfrmZORVEX::RefreshExpert() {
    RefreshSettingControls(this, SettingRecord::Expert, *m_block);
    m_expert->RefreshRadios();
    m_jmp->RefreshRadios();
}

void TfrmZORVEX::RefreshExpertWeather() {
    if (m_pc->currentWidget() == m_messages) {
        const int mode = m_block->Config.Mode;
        ShowPage(mode == ModeAuto  ? static_cast<QWidget*>(m_schedule)
                 : mode == ModeGeo ? static_cast<QWidget*>(m_geo)
                                   : m_channels);
    }
    RefreshSettingControls(this, SettingRecord::ExpertWeather, *m_block);
    // The port counts as good after a complete download.
    WritePortToRegistry();
}

void TfrmZORVEX::FillScheduleGrid() {
    m_schedule->FillScheduleGrid();
    m_visualize->DrawVisualization();
}

void TfrmZORVEX::DrawChart() {
    m_chart->DrawChart();
}

void TfrmZORVEX::RefreshGeoView() {
    m_geo->RefreshLocation();
    m_geo->RefreshGeoView();
}

void TfrmZORVEX::ShowWeatherRatios() {
    m_weather->ShowWeatherRatios();
}

void TfrmZORVEX::RefreshChannelNames() {
    if (m_visualize->IsChannelListDroppedDown())
        return;
    QStringList items;
    for (int channel = 0; channel < DrivenChannelCount; ++channel) {
        const int code = m_block->Config.ColorName[static_cast<std::size_t>(channel)];
        const QColor tint = ChannelTint(code);
        const QString text = ChannelNameText(channel, code);
        m_channels->ShowChannelColor(channel, code, tint);
        m_schedule->SetChannelHeader(channel, text);
        items << text;
        for (ChannelSettingsPage* page :
             std::initializer_list<ChannelSettingsPage*>{m_moon, m_balance, m_delays})
            page->SetChannelName(channel, text, tint);
        m_expert->SetLightningMaskTint(channel, tint);
    }
    m_visualize->SetChannelItems(items);
}

} // namespace zorvex
