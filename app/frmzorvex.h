#pragma once

#include "comconnection.h"
#include "deviceview.h"
#include "inidocument.h"
#include "platform/platform.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>
#include <vector>

class QAction;
class QMenu;
class QTabWidget;

namespace zorvex {

class EditHistory;
class SharedBlock;
class SimulatedLamp;
class StatusPanels;
class DiscoverThreadConnection;
class ChannelsPage;
class ChannelsGLPage;
class SchedulePage;
class VisualizePage;
class GeoPage;
class ConfigPage;
class ChartPage;
class WeatherPage;
class DelaysPage;
class MoonPage;
class ExpertPage;
class BalancePage;
class JmpPage;
class Rc433Page;
class MessagesPage;

// The main window frmZORVEX: menus, the tab control pc with one page object per tab, the status
// bar sb, start-up and shutdown, connection management and the device view the communication
// thread calls into. Page contents live in the page classes; this class wires them together.
class TfrmZORVEX : public QMainWindow, public DeviceView {
    Q_OBJECT
public:
    // Runs FormCreate: the window is ready (not yet shown) and, with a known port, connecting.
    TfrmZORVEX(Platform platform, ComConnectionFactory connect, const QStringList& arguments,
               QWidget* parent = nullptr);
    // FormDestroy: a bounded wait for the communication thread.
    ~TfrmZORVEX() override;

    // --- window-wide state ---
    const QString& PortName() const { return m_portName; }
    const QString& ProgramDir() const { return m_programDir; }
    bool DebugMode() const { return m_debugMode; }
    const QStringList& SerialPorts() const { return m_serialPorts; }
    ComConnection* ComThread() const { return m_comThread.get(); }
    bool IsThreadRunning() const;
    // A thread runs and has not been asked to end: it owns the connection and takes a new port.
    bool IsConnectionActive() const;
    SharedBlock& Block() { return *m_block; }
    std::shared_ptr<SharedBlock> SharedBlockPtr() const { return m_block; }
    QTabWidget* PageControl() const { return m_pc; }
    StatusPanels* StatusBar() const { return m_sb; }
    // The undo history of the connected device (Edit menu).
    EditHistory& History() const { return *m_history; }

    // --- device view (called by the communication thread, on this thread) ---
    void AddMessage(const QString& text) override;
    void SetStatusMessage(const QString& text) override;
    void SetConnectedState(bool connected) override;
    void SetTaskbarProgress(qint64 done, qint64 total) override;
    void RefreshInfo() override;
    void RefreshConfig() override;
    void RefreshExpert() override;
    void RefreshExpertWeather() override;
    void FillScheduleGrid() override;
    void DrawChart() override;
    QString ChooseFirmwareFile() override;
    // The current thread has ended (after its last call into the window).
    void ComThreadEnded();
    // The Bluetooth installation or removal thread (DiscoverThread), or none; running while it
    // has not finished. Its end updates the menu items.
    DiscoverThreadConnection* DiscoverThread() const { return m_discoverThread.get(); }
    bool IsDiscoverThreadRunning() const;
    void DiscoverThreadEnded();

    // --- pages ---
    void ShowPage(QWidget* page);
    void pcChange();
    void RefreshChannelNames();
    void ShowWeatherRatios();
    // The mouse wheel anywhere over the window; true when it was used.
    bool FormMouseWheel(int delta);

    // --- start-up, shutdown, settings ---
    void FormShow();
    void FormClose();
    void ApplicationEventsException(const QString& message);
    void ReadPortFromRegistry();
    void WritePortToRegistry();
    void DeleteRegistryKey();

    // --- connection management ---
    void ListSerialPorts(QStringList& list);
    void mnuConnectionClick();
    void ConnectPortClick(int tag);
    void mnuDisconnectClick();
    // Starts the device simulator and connects to it, so the program can be tried without a lamp.
    void mnuSimulatedLampClick();
    bool IsSimulating() const;
    void StopConnection();
    void memDblClick();
    void DeviceArrived();
    void PowerBroadcast(int code);
    void mnuDiscoverClick();
    void mnuRemoveClick();
    void mnuHardwareClick();
    void mnuSoftwareClick();
    void mnuFAQClick();
    // The manual page of a help topic ("hardware", "software", "faq").
    static QUrl ManualUrl(const QString& topic);

    // --- channels, modes and options ---
    void mnuAllOffClick();
    void mnuAll20Click();
    void mnuAllOnClick();
    void mnuModeManualClick();
    void mnuModeAutoClick();
    void mnuModeGeoClick();
    void mnuModeRGBDemoClick();
    void mnuModeFlashClick();
    void mnuOptionsClick();
    void mnuFileClick();
    void mnuStepBigClick();
    void mnuShowExpertClick();
    void mnuShowRC433Click();
    void mnuRefreshClick();
    void mnuSaveEEPROMClick();
    void mnuIRLearnClick();
    void mnuSetTimeDateClick();
    void mnuHealthClick();
    void mnuDebugClick();
    void mnuFirmwareUpdateClick();
    void mnuScheduleConfigExportClick();
    void mnuConfigImportClick();
    void mnuScheduleImportClick();
    void mnuUndoClick();
    void mnuRedoClick();
    void mnuExitClick();
    void btnNowClick();
    void mnuLoadReefClick() {}

    // A menu item or tab page by component name.
    QAction* MenuItem(const QString& name) const;
    QWidget* TabSheet(const QString& name) const;
    void SetTabSheetVisible(const QString& name, bool visible);
    bool IsTabSheetVisible(const QString& name) const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate(const QStringList& arguments);
    void BuildMenus();
    void BuildPages();
    // Undo and Redo follow the history: enabled while it has a step, named after it.
    void WireEditMenu();
    void UpdateEditMenu();
    void ConnectPlatform();
    void CreateComThread();
    void CreateDiscoverThread(bool install);
    // Connects to PortName now, or once the thread that is still ending has ended: a choice made
    // in that moment is neither handed to the ending thread nor lost.
    void ConnectWhenThreadEnded();
    // Connects to the port entry `entry` (a port of the list or the simulator's); empty ends the
    // connection.
    void SelectPortEntry(const QString& entry);
    // Ends the simulator once no connection uses its port any more.
    void EndUnusedSimulation();
    // The enabled and checked state of the menu items that depend on the thread, the connection
    // and Config. Kept current whenever one of them changes, because a shortcut acts on the item's
    // state without the menu ever being opened.
    void UpdateMenuStates();
    // The fan-off level and the water hysteresis apply only in some fan modes: the controls follow
    // the fan-mode radio group however it was set.
    void ApplyFanModeEnabling();
    // Pages and menu commands that change a record are enabled once it arrived in this connection.
    void ApplyArrivalEnabling();
    // Waits at most about half a second for the threads (communication and Bluetooth) to end,
    // serving their calls meanwhile.
    void WaitForComThread();
    // Writes the automatic backup file of a port entry into the program's data folder: only while
    // device data is loaded and every record arrived in this connection; silent but in debug mode.
    void WriteBackupFile(const QString& portEntry);
    // Where a file dialog opens: the folder last used, else `fallback`.
    QString DialogStartFolder(const QString& fallback) const;
    QString ImportStartFolder() const;
    // The open dialog of an import and the chosen file's content; a failure to read it is reported.
    // The document chosen in the open dialog; its path, as the log shows it, in `chosenPath`.
    std::optional<IniDocument> ChooseImportFile(const QString& titleKey, QString* chosenPath);
    // The import's preview table; a cancel is logged and answers false.
    bool ConfirmImport(const QString& captionKey, const QStringList& columns, const QList<QStringList>& rows);
    void RememberDialogFolder(const QString& chosenPath);
    // A failed export or import: the system's text in the log and the status bar.
    void ReportFileFailure(const QString& key, const QString& error);
    // True when every record arrived in this connection and none of `blockingReads` is pending;
    // else says in the log and the status bar that `whatKey` (an extra text) has to wait.
    bool DownloadCompleteFor(const QString& whatKey, std::uint32_t blockingReads = 0);
    void ReportDownloadWait(const QString& whatKey);
    void ChooseMode(int mode);
    void SetMode(int mode);
    void SetAllChannels(int level);
    void ApplyWaterSensorEnabling();
    void ShowExpertTabs(bool visible);
    // Widens the window to the tab bar's width, at most to the screen's.
    void FitTabBar();
    void RefreshGeoView();

    Platform m_platform;
    ComConnectionFactory m_connect;
    std::shared_ptr<SharedBlock> m_block;
    EditHistory* m_history = nullptr;

    QString m_portName;
    // The port entry the communication thread was last pointed at: the device data in the shared
    // block came through it, also while PortName already names the next port.
    QString m_threadPortName;
    QString m_programDir;
    bool m_debugMode = false;
    QStringList m_serialPorts;
    std::unique_ptr<ComConnection> m_comThread;
    // Threads asked to end that had not ended yet when a new one replaced them.
    std::vector<std::unique_ptr<ComConnection>> m_endingThreads;
    std::unique_ptr<DiscoverThreadConnection> m_discoverThread;
    // The device simulator behind "Simulated lamp (no hardware)"; none when it is not installed.
    std::unique_ptr<SimulatedLamp> m_simulatedLamp;
    bool m_shownOnce = false;
    bool m_closed = false;
    bool m_connected = false;
    // The tab bar gave up some margins to fit a narrow screen.
    bool m_compactTabs = false;
    // The arrived records the enabling was last applied for; -1 to apply it anew.
    int m_arrivalsShown = -1;
    // The unit the temperature edits were last written in.
    bool m_fahrenheitShown = false;
    // A connection to PortName waits for the ending thread (port chosen, resume, arrival).
    bool m_connectPending = false;
    // The computer waits to sleep until the ending thread has closed the connection.
    bool m_sleepPending = false;

    QTabWidget* m_pc = nullptr;
    StatusPanels* m_sb = nullptr;
    QMenu* m_connectMenu = nullptr;

    ChannelsPage* m_channels = nullptr;
    ChannelsGLPage* m_channelsGL = nullptr;
    SchedulePage* m_schedule = nullptr;
    VisualizePage* m_visualize = nullptr;
    GeoPage* m_geo = nullptr;
    ConfigPage* m_config = nullptr;
    ChartPage* m_chart = nullptr;
    WeatherPage* m_weather = nullptr;
    DelaysPage* m_delays = nullptr;
    MoonPage* m_moon = nullptr;
    ExpertPage* m_expert = nullptr;
    BalancePage* m_balance = nullptr;
    JmpPage* m_jmp = nullptr;
    Rc433Page* m_rc433 = nullptr;
    MessagesPage* m_messages = nullptr;
};

} // namespace zorvex
