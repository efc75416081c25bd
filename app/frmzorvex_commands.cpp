// Channel commands, operating modes and the remaining Options and File menu commands.
#include "frmzorvex.h"

#include "channelspage.h"
#include "configpage.h"
#include "conversions.h"
#include "devicecommands.h"
#include "extratexts.h"
#include "firmwarecheck.h"
#include "geopage.h"
#include "language.h"
#include "schedulepage.h"
#include "sharedblock.h"
#include "simplepages.h"
#include "visualizepage.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QStandardPaths>
#include <QTabWidget>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {
constexpr std::uint8_t FlagBigStep = 0x01;
constexpr std::uint16_t RC5PairingBit = 0x1000;
const QStringList ModeItems{u"mnuModeManual"_s, u"mnuModeAuto"_s, u"mnuModeGeo"_s, u"mnuModeRGBDemo"_s,
                            u"mnuModeFlash"_s};
} // namespace

// --- channels ---

void TfrmZORVEX::SetAllChannels(int level) {
    if (m_pc->currentWidget() != TabSheet(u"tsChannelsGL"_s))
        ShowPage(m_channels);
    m_channels->SetAllChannels(level);
}

void TfrmZORVEX::mnuAllOffClick() {
    SetAllChannels(0);
}
void TfrmZORVEX::mnuAll20Click() {
    SetAllChannels(819);
}
void TfrmZORVEX::mnuAllOnClick() {
    SetAllChannels(LevelMax);
}

// --- modes ---

void TfrmZORVEX::SetMode(int mode) {
    if (!StoreMode(*m_block, mode))
        return;
    UpdateMenuStates();
    // The grid's first column shows times in Auto mode and altitudes in Geo mode.
    if (!m_block->IsRequested(rqGetSchedule))
        FillScheduleGrid();
}

void TfrmZORVEX::ChooseMode(int mode) {
    SetMode(mode);
    switch (mode) {
    case 1:
        ShowPage(m_schedule);
        break;
    case 2:
        ShowPage(m_geo);
        break;
    case 3:
        ShowPage(m_channels);
        break;
    default: // Manual and Flash keep the alternative channel page
        if (m_pc->currentWidget() != TabSheet(u"tsChannelsGL"_s))
            ShowPage(m_channels);
        break;
    }
    RequestModeUpload(*m_block, mode);
}

void TfrmZORVEX::mnuModeManualClick() {
    ChooseMode(0);
}
void TfrmZORVEX::mnuModeAutoClick() {
    ChooseMode(1);
}
void TfrmZORVEX::mnuModeGeoClick() {
    ChooseMode(2);
}
void TfrmZORVEX::mnuModeRGBDemoClick() {
    ChooseMode(3);
}
void TfrmZORVEX::mnuModeFlashClick() {
    ChooseMode(4);
}

// --- Options menu ---

void TfrmZORVEX::UpdateMenuStates() {
    const bool running = IsThreadRunning();
    MenuItem(u"mnuDisconnect"_s)->setEnabled(running);
    MenuItem(u"mnuFirmwareUpdate"_s)->setEnabled(running);
    MenuItem(u"mnuDiscover"_s)->setEnabled(!IsDiscoverThreadRunning());
    MenuItem(u"mnuRemove"_s)->setEnabled(!IsDiscoverThreadRunning());

    const int mode = m_block->Config.Mode;
    if (mode >= 0 && mode < ModeItems.size())
        MenuItem(ModeItems.at(mode))->setChecked(true);
    MenuItem(u"mnuStepBig"_s)->setChecked((m_block->Config.Flag & FlagBigStep) != 0);
    MenuItem(u"mnuShowExpert"_s)->setChecked(IsTabSheetVisible(u"tsExpert"_s));
    MenuItem(u"mnuShowRC433"_s)->setChecked(IsTabSheetVisible(u"tsRC433"_s));
}

void TfrmZORVEX::mnuOptionsClick() {
    UpdateMenuStates();
}

void TfrmZORVEX::mnuFileClick() {
    UpdateMenuStates();
}

void TfrmZORVEX::mnuStepBigClick() {
    // Toggles the option itself; the check mark then shows the stored flag.
    m_block->Config.Flag = static_cast<std::uint8_t>(m_block->Config.Flag ^ FlagBigStep);
    m_block->Request(rqSetConfig);
    UpdateMenuStates();
}

void TfrmZORVEX::mnuShowExpertClick() {
    const bool visible = !IsTabSheetVisible(u"tsExpert"_s);
    ShowExpertTabs(visible);
    if (visible)
        ShowPage(TabSheet(u"tsExpert"_s));
}

void TfrmZORVEX::mnuShowRC433Click() {}

void TfrmZORVEX::mnuRefreshClick() {
    m_block->Request(rqAllButChart);
}

void TfrmZORVEX::mnuSaveEEPROMClick() {
    m_block->Request(rqSaveEEPROM);
}

void TfrmZORVEX::mnuIRLearnClick() {
    if (!m_platform.dialogs ||
        !m_platform.dialogs->Confirm(LookupMessage(u"IRLearnDlgCaption"_s),
                                     LookupMessageFmt(u"IRLearnDlgText"_s, {u"ZORVEXPRO"_s})))
        return;
    // The device starts pairing when the learned codes arrive with this bit changed; confirming
    // again toggles it back and ends a pairing in progress.
    for (std::uint16_t& code : m_block->Expert.RC5)
        code = static_cast<std::uint16_t>(code ^ RC5PairingBit);
    m_block->Request(rqSetExpert);
}

void TfrmZORVEX::btnNowClick() {
    m_config->btnRealtimeClick();
    m_geo->SetClockNow(QDateTime::currentDateTime());
    RefreshGeoView();
}

void TfrmZORVEX::mnuSetTimeDateClick() {
    ShowPage(m_geo);
    btnNowClick();
}

void TfrmZORVEX::mnuHealthClick() {
    ShowExpertTabs(true);
}

void TfrmZORVEX::mnuDebugClick() {
    StopConnection();
    m_debugMode = !m_debugMode;
    AddMessage(LookupMessage(m_debugMode ? u"DebugMessagesActive"_s : u"DebugMessagesInactive"_s));
}

// --- firmware ---

void TfrmZORVEX::mnuFirmwareUpdateClick() {
    if (!m_platform.dialogs ||
        !m_platform.dialogs->Confirm(LookupMessage(u"FlashDlgCaption"_s), LookupMessage(u"FlashDlgText"_s)))
        return;
    m_block->Request(rqFirmwareUpdate);
}

QString TfrmZORVEX::ChooseFirmwareFile() {
    if (!m_platform.dialogs)
        return {};
    const QString product = u"ZORVEXPRO 1.x"_s;
    const QString pattern = u"ZORVEXPRO1x*.zvx"_s;
    const QString title = LookupMessageFmt(u"ChooseFirmware"_s, {product});
    for (;;) {
        const QString folder =
            DialogStartFolder(QStandardPaths::writableLocation(QStandardPaths::DownloadLocation));
        const QString path = m_platform.dialogs->ChooseOpenFile(
            title, folder, QDir(folder).filePath(u"ZORVEXPRO1x4.zvx"_s),
            LookupMessageFmt(u"FirmwareFile"_s, {product}) + u" ("_s + pattern + u")"_s, u"zvx"_s);
        if (path.isEmpty())
            return path;
        RememberDialogFolder(path);
        // The update's own checks: a file it would refuse is explained here, and the dialog
        // opens again.
        if (const std::optional<QString> problem = FirmwareFileProblem(path)) {
            m_platform.dialogs->Warn(title,
                                     *problem + u"\n"_s + ExtraText(u"FirmwareChooseAnother"_s, {product}));
            continue;
        }
        ShowPage(m_messages);
        return path;
    }
}

} // namespace zorvex
