// The device view: how the window mirrors the shared records, and its enabling rules.
#include "frmzorvex.h"

#include "edithistory.h"

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

// The menu items that need an identified device, and the records whose arrival in this
// connection each needs before it can change anything (none for reads and one-shot commands).
struct DeviceCommand {
    QString name;
    std::uint8_t records;
};
constexpr std::uint8_t NoRecord = 0;
constexpr std::uint8_t InfoRecord = SharedBlock::InfoArrived;
constexpr std::uint8_t ConfigRecord = SharedBlock::ConfigArrived;
constexpr std::uint8_t ExpertRecord = SharedBlock::ExpertArrived;
constexpr std::uint8_t WeatherRecord = SharedBlock::ExpertWeatherArrived;
constexpr std::uint8_t ScheduleRecord = SharedBlock::ScheduleArrived;
const std::vector<DeviceCommand> DeviceCommands{
    // The imports stay available and explain themselves when the download is not complete.
    {u"mnuScheduleImport"_s, NoRecord},
    {u"mnuConfigImport"_s, NoRecord},
    {u"mnuScheduleConfigExport"_s, NoRecord},
    {u"mnuModeManual"_s, ConfigRecord},
    {u"mnuModeAuto"_s, ConfigRecord},
    {u"mnuModeGeo"_s, ConfigRecord},
    {u"mnuModeRGBDemo"_s, ConfigRecord},
    {u"mnuModeFlash"_s, ConfigRecord},
    {u"mnuRefresh"_s, NoRecord},
    {u"mnuSaveEEPROM"_s, NoRecord},
    {u"mnuStepBig"_s, ConfigRecord},
    {u"mnuIRLearn"_s, ExpertRecord},
    {u"mnuHealth"_s, NoRecord},
    {u"mnuLoadReef"_s, NoRecord},
    {u"mnuAllOff"_s, InfoRecord},
    {u"mnuAll20"_s, InfoRecord},
    {u"mnuAllOn"_s, InfoRecord},
    {u"mnuSetTimeDate"_s, InfoRecord | ConfigRecord},
};

// Controls that work only with the QuillTemp water sensor, besides the offset edit itself.
const QStringList WaterSensorControls{u"rbtFMOWater"_s,     u"rbtFMOWaterMaster"_s, u"edtCloudTempWater"_s,
                                      u"rbtJMPCooler"_s,    u"rbtJMPHeater"_s,      u"edtTempCoolLow"_s,
                                      u"edtTempCoolHigh"_s, u"edtTempHeatLow"_s,    u"edtTempHeatHigh"_s};

} // namespace

void TfrmZORVEX::SetConnectedState(bool connected) {
    const bool wasConnected = m_connected;
    m_connected = connected;
    // The history belongs to one device: a new identification, another port or the end of the
    // connection starts it anew.
    m_history->Clear();
    m_sb->setProgress(1, 1);
    if (connected) {
        // A new identification: the records are downloaded anew.
        m_block->ForgetDownload();
        m_sb->setProgressState(ProgressState::Normal);
    } else {
        m_visualize->EndDrag();
        EndUnusedSimulation();
        // Only a window that was connected turns to the log.
        if (wasConnected)
            ShowPage(m_messages);
        m_sb->setPanelText(1, {});
        m_sb->setPanelText(2, {});
        m_config->SetBoardStatus({}, false);
        setWindowTitle(WindowCaption());
        m_sb->setProgressState(IsThreadRunning() ? ProgressState::Paused : ProgressState::Error);
    }

    m_channels->SetConnected(connected);
    for (Page* page : std::initializer_list<Page*>{m_config, m_weather, m_delays, m_moon, m_expert, m_balance,
                                                   m_jmp, m_rc433})
        page->SetConnected(connected);
    const bool water = connected && m_block->Info.TempWater != NoTemperature;
    findChild<QWidget*>(u"edtTempOffset"_s)->setEnabled(water);
    findChild<QWidget*>(u"edtCloudTempWater"_s)->setEnabled(water);
    ApplyFanModeEnabling();
    m_arrivalsShown = -1;
    ApplyArrivalEnabling();
    UpdateMenuStates();
}

void TfrmZORVEX::ApplyArrivalEnabling() {
    // A page (and a menu command) that changes a record waits until that record has been read
    // in this connection: an edit made earlier would send the copy's zeros, or what another
    // lamp held, over the device's settings. Disabling the page itself leaves the enabling rules
    // of its controls as they are for the moment it is enabled again.
    const std::uint8_t arrived = m_block->ArrivedRecords();
    if (static_cast<int>(arrived) == m_arrivalsShown)
        return;
    m_arrivalsShown = arrived;
    const auto hasArrived = [arrived](std::uint8_t records) { return (arrived & records) == records; };
    // The schedule, its picture and the chart are disabled as a whole without a connection; the
    // other pages then disable only their inputs.
    struct PageGate {
        QWidget* page;
        std::uint8_t records;
        bool wholeWhileDisconnected;
    };
    const PageGate pages[] = {
        {m_channels, InfoRecord | ConfigRecord, false},
        {m_schedule, ScheduleRecord | InfoRecord | ConfigRecord, true},
        {m_visualize, ScheduleRecord, true},
        {m_geo, InfoRecord | ConfigRecord, false},
        {m_config, ConfigRecord | ExpertRecord, false},
        {m_chart, ExpertRecord, true},
        {m_weather, ConfigRecord | WeatherRecord, false},
        {m_delays, WeatherRecord, false},
        {m_moon, WeatherRecord, false},
        {m_balance, WeatherRecord | ExpertRecord, false},
        {m_expert, ExpertRecord | WeatherRecord, false},
        {m_jmp, ExpertRecord, false},
    };
    for (const PageGate& gate : pages)
        gate.page->setEnabled(m_connected ? hasArrived(gate.records) : !gate.wholeWhileDisconnected);
    for (const DeviceCommand& command : DeviceCommands) {
        const bool enabled = m_connected && hasArrived(command.records);
        if (QAction* item = MenuItem(command.name))
            item->setEnabled(enabled);
        if (auto* shortcut = findChild<QShortcut*>(command.name + u"Shortcut"_s))
            shortcut->setEnabled(enabled);
    }
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
    EndUnusedSimulation();
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
    ApplyArrivalEnabling();
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
    ApplyArrivalEnabling();
    m_geo->RefreshLocation();
    UpdateMenuStates();
    if (!isVisible())
        return;
    const Config& config = m_block->Config;
    m_channels->SetManualControlsEnabled(config.Mode == ModeManual);
    m_weather->SetTriggersEnabled(config.Mode == ModeAuto || config.Mode == ModeGeo);
    m_sb->setPanelText(2, ModePanelText(config, m_block->Info));
    RefreshSettingControls(this, SettingRecord::Config, *m_block);
    // The temperature edits show Expert's values in the unit Config names: a new unit shows
    // them again, or a "25.0" meant as Celsius would be read back as Fahrenheit.
    const bool fahrenheit = (config.Flag & FlagFahrenheit) != 0;
    if (fahrenheit != m_fahrenheitShown) {
        m_fahrenheitShown = fahrenheit;
        RefreshSettingControls(this, SettingRecord::Expert, *m_block);
    }
    m_config->RefreshFlags();
    ShowWeatherRatios();
    RefreshChannelNames();
}

void TfrmZORVEX::RefreshExpert() {
    ApplyArrivalEnabling();
    m_fahrenheitShown = (m_block->Config.Flag & FlagFahrenheit) != 0;
    RefreshSettingControls(this, SettingRecord::Expert, *m_block);
    m_expert->RefreshRadios();
    m_jmp->RefreshRadios();
}

void TfrmZORVEX::RefreshExpertWeather() {
    ApplyArrivalEnabling();
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
    ApplyArrivalEnabling();
    // The rows were replaced under a drag that may still be held.
    m_visualize->EndDrag();
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
