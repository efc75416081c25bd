#include "frmzorvex.h"

#include "extratexts.h"
#include "simulatedlamp.h"

#include "channelsettingspages.h"
#include "channelspage.h"
#include "chartpage.h"
#include "commandline.h"
#include "configpage.h"
#include "devicetexts.h"
#include "discoverthreadconnection.h"
#include "edithistory.h"
#include "expertpage.h"
#include "extratexts.h"
#include "file_info.h"
#include "geopage.h"
#include "jmppage.h"
#include "language.h"
#include "log_format.h"
#include "relabel.h"
#include "schedulepage.h"
#include "sharedblock.h"
#include "simplepages.h"
#include "simulatedlamp.h"
#include "statuspanels.h"
#include "visualizepage.h"
#include "weatherpage.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QMenuBar>
#include <QProxyStyle>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>

#include <cmath>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {
constexpr int DesignWidth = 1009;
// The least size of the tab control the form was designed with.
constexpr QSize DesignMinimum(767, 531);

// Tabs with narrower side margins, for a screen too narrow for the tab bar.
class CompactTabStyle : public QProxyStyle {
public:
    explicit CompactTabStyle(const QString& base) : QProxyStyle(base) {}
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_TabBarTabHSpace ? value / 3 : value;
    }
};
// Room beside the tab bar for the tab widget's frame.
constexpr int TabBarSlack = 4;
constexpr int DesignHeight = 655;
constexpr int ThreadWaitMs = 500;
} // namespace

TfrmZORVEX::TfrmZORVEX(Platform platform, ComConnectionFactory connect, const QStringList& arguments,
                       QWidget* parent)
    : QMainWindow(parent), m_platform(std::move(platform)), m_connect(std::move(connect)),
      m_block(std::make_shared<SharedBlock>()) {
    setObjectName(u"frmZORVEX"_s);
    BuildPages();
    BuildMenus();
    WireEditMenu();
    ConnectPlatform();
    FormCreate(arguments);
}

TfrmZORVEX::~TfrmZORVEX() {
    // FormDestroy: nothing the thread still uses is released before it has ended; a thread that
    // does not end in time is cut off from the window before the window goes.
    if (!m_closed) {
        StopConnection();
        if (m_discoverThread)
            m_discoverThread->Stop();
    }
    WaitForComThread();
    if (m_comThread && !m_comThread->Finished())
        m_comThread->Abandon();
    for (auto& thread : m_endingThreads)
        if (!thread->Finished())
            thread->Abandon();
    if (m_discoverThread && !m_discoverThread->Finished())
        m_discoverThread->Abandon();
    m_comThread.reset();
    m_endingThreads.clear();
    m_discoverThread.reset();
    qApp->removeEventFilter(this);
    // The history's stack outlives the menu it names its steps in.
    m_history->Stack()->disconnect(this);
}

void TfrmZORVEX::BuildPages() {
    m_pc = new QTabWidget(this);
    m_pc->setObjectName(u"pc"_s);
    m_pc->setMinimumSize(DesignMinimum);
    SharedBlock& block = *m_block;
    m_channels = new ChannelsPage(block);
    m_channelsGL = new ChannelsGLPage(block);
    m_schedule = new SchedulePage(block);
    m_visualize = new VisualizePage(block);
    m_geo = new GeoPage(block);
    m_config = new ConfigPage(block);
    m_chart = new ChartPage(block);
    m_weather = new WeatherPage(block);
    m_delays = new DelaysPage(block);
    m_moon = new MoonPage(block);
    m_expert = new ExpertPage(block);
    m_balance = new BalancePage(block);
    m_jmp = new JmpPage(block);
    m_rc433 = new Rc433Page(block);
    m_messages = new MessagesPage(block);
    m_history = new EditHistory(block, this);
    for (Page* page : std::initializer_list<Page*>{m_channels, m_channelsGL, m_schedule, m_visualize, m_geo,
                                                   m_config, m_chart, m_weather, m_delays, m_moon, m_expert,
                                                   m_balance, m_jmp, m_rc433, m_messages}) {
        m_pc->addTab(page, page->designCaption());
        page->SetEditHistory(m_history);
    }
    setCentralWidget(m_pc);
    m_sb = new StatusPanels(this);
    setStatusBar(m_sb);

    connect(m_pc, &QTabWidget::currentChanged, this, &TfrmZORVEX::pcChange);
    connect(m_channels, &ChannelsPage::channelNamesChanged, this, &TfrmZORVEX::RefreshChannelNames);
    connect(m_schedule, &SchedulePage::channelNamesChanged, this, &TfrmZORVEX::RefreshChannelNames);
    connect(m_schedule, &SchedulePage::scheduleChanged, this, &TfrmZORVEX::FillScheduleGrid);
    connect(m_schedule, &SchedulePage::editRefused, this, &TfrmZORVEX::ReportDownloadWait);
    connect(m_geo, &GeoPage::nowClicked, this, &TfrmZORVEX::btnNowClick);
    connect(m_chart, &ChartPage::chartModeChosen, this, &TfrmZORVEX::RefreshExpert);
    connect(m_geo, &GeoPage::mousePositionChanged, this,
            [this](const QString& text) { m_sb->setPanelText(0, text); });
    connect(m_geo, &GeoPage::moonDoubleClicked, this, [this] { ShowPage(m_config); });
    connect(m_messages, &MessagesPage::memDblClick, this, &TfrmZORVEX::memDblClick);
    for (const QString& name : {u"rbtFMOLED"_s, u"rbtFMOWater"_s, u"rbtFMOWaterMaster"_s})
        connect(m_expert->findChild<QRadioButton*>(name), &QRadioButton::toggled, this,
                &TfrmZORVEX::ApplyFanModeEnabling);
    // The wheel over any control of the window may change the visualised channel, and it never
    // reaches a control without the focus; nor does it give a control the focus by itself.
    qApp->installEventFilter(this);
    for (QWidget* widget : findChildren<QWidget*>())
        if (widget->focusPolicy() == Qt::WheelFocus)
            widget->setFocusPolicy(Qt::StrongFocus);
}

void TfrmZORVEX::ConnectPlatform() {
    if (m_platform.portArrival)
        connect(m_platform.portArrival.get(), &PortArrivalSource::portArrived, this,
                &TfrmZORVEX::DeviceArrived);
    if (m_platform.powerEvents)
        connect(m_platform.powerEvents.get(), &PowerEventSource::powerEvent, this,
                &TfrmZORVEX::PowerBroadcast);
    if (auto* dialogs = dynamic_cast<WidgetDialogs*>(m_platform.dialogs.get()))
        dialogs->SetParent(this);
}

// The start-up order matters: the log exists before anything is logged, the port is read before
// the command line may override it, the language is applied before any message is looked up, and
// the thread starts last, once everything it calls into is ready.
void TfrmZORVEX::FormCreate(const QStringList& arguments) {
    // The progress display exists with the status bar; the shared block (with DeviceLock)
    // and the empty port list exist; the health picture takes the window colour.
    m_config->ClearHealthPicture();

    // Scale for the screen resolution.
    const double scale = logicalDpiX() / 96.0;
    m_sb->setScale(scale);
    // The design size is the client area: the menu bar comes on top of it.
    resize(static_cast<int>(std::lround(DesignWidth * scale)),
           static_cast<int>(std::lround(DesignHeight * scale)) + menuBar()->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // The command line is read against the folder the program was started in: a relative port path
    // means a file there, not in the program's folder, which becomes the current one.
    const CommandLineChoice choice = ParseCommandLine(arguments);

    // The program directory, made current (a failure is ignored).
    m_programDir = QCoreApplication::applicationDirPath();
    if (!m_programDir.endsWith(u'/'))
        m_programDir += u'/';
    QDir::setCurrent(m_programDir);

    // The remembered port.
    m_portName.clear();
    ReadPortFromRegistry();
    const QString rememberedPort = m_portName;

    // The simulator is offered as a lamp to try only where it is installed.
    if (!m_platform.simulatorPath.isEmpty())
        m_simulatedLamp = std::make_unique<SimulatedLamp>(m_platform.simulatorPath);
    MenuItem(u"mnuSimulatedLamp"_s)->setVisible(m_simulatedLamp != nullptr);

    // Hidden tabs, then what the command line asks for.
    for (const QString& tab : {u"tsExpert"_s, u"tsBalance"_s, u"tsJMP"_s, u"tsRC433"_s})
        SetTabSheetVisible(tab, false);
    m_debugMode = false;
    for (const QString& line : choice.logLines)
        AddMessage(line);
    if (choice.showExpert)
        ShowExpertTabs(true);
    if (choice.showRC433)
        SetTabSheetVisible(u"tsRC433"_s, true);
    m_debugMode = choice.debug;
    if (choice.portName)
        m_portName = *choice.portName;

    // Language, title, start-up lines.
    ApplyLanguage(this, m_pc, choice.language);
    UpdateEditMenu();
    // No page is squeezed below what its layout needs in the chosen language.
    m_pc->setMinimumSize(m_pc->minimumSizeHint().expandedTo(DesignMinimum));
    FitTabBar();
    if (!rememberedPort.isEmpty())
        AddMessage(ExtraText(u"RegistryRead"_s, {rememberedPort}));
    QGuiApplication::setApplicationDisplayName(QString());
    setWindowTitle(WindowCaption());
    AddMessage(ApplicationTitle() + u" "_s + LookupMessage(u"Started"_s));
    AddMessage(FileInfoText(QCoreApplication::applicationFilePath()));

    // Schedule columns, colour lists, the channels this build does not drive.
    m_schedule->BuildColumns();
    QStringList colours;
    for (int code = 0; code < 16; ++code)
        colours << ColorText(code);
    m_channels->FillColorLists(colours);
    for (int channel = DrivenChannelCount; channel < WindowChannelCount; ++channel) {
        for (const QString& stem : {u"lblName"_s, u"trb"_s, u"edt"_s, u"btnOff"_s, u"btnOn"_s, u"cmbName"_s,
                                    u"edtMoon"_s, u"trbMoon"_s, u"edtWeatherDelay"_s, u"trbWeatherDelay"_s,
                                    u"edtBalance"_s, u"trbBalance"_s, u"edtLightningMask"_s})
            if (auto* control = findChild<QWidget*>(stem + QString::number(channel)))
                control->hide();
    }
    SetTabSheetVisible(u"tsChannelsGL"_s, false);
    m_schedule->SetChannelColumnWidth(80);

    // Empty chart, features this build does not offer, percent sliders, location.
    ApplyStartupValues(*m_block);
    for (const QString& name :
         {u"rbtJMPServo"_s, u"rbtJMPPWM"_s, u"lblLanguage"_s, u"cmbLanguage"_s, u"gbxTemperatureUnit"_s,
          u"gbxTimeFormat"_s, u"gbxLCDFormat"_s, u"lblPWMPrescaler"_s, u"edtPWMPrescaler"_s,
          u"rbtCHMTempSlave"_s, u"rbtCHMVoltage"_s})
        if (auto* control = findChild<QWidget*>(name))
            control->hide();
    for (const QString& name :
         {u"mnuShowRC433"_s, u"mnuLoadReef"_s, u"mnuCHMTempSlave"_s, u"mnuCHMVoltage"_s})
        if (QAction* item = MenuItem(name))
            item->setVisible(false);
    for (const QString& name : {u"trbFanHigh"_s, u"trbFanLow"_s, u"trbFanOff"_s, u"trbLCDBLMax"_s,
                                u"trbLCDBLMin"_s, u"trbLCDBLNight"_s})
        findChild<QSlider*>(name)->setMaximum(100);

    // The geo page's clock is now, the first refresh, the window opens on the log.
    btnNowClick();
    RefreshConfig();
    m_visualize->DrawVisualization();
    SetConnectedState(false);
    ShowPage(m_messages);
    m_visualize->ResetState();

    // Connect at once to a known port.
    UpdateMenuStates();
    if (!m_portName.isEmpty())
        CreateComThread();
}

bool TfrmZORVEX::IsThreadRunning() const {
    return m_comThread && !m_comThread->Finished();
}

bool TfrmZORVEX::IsConnectionActive() const {
    return IsThreadRunning() && !m_comThread->Stopping();
}

// --- messages ---

void TfrmZORVEX::AddMessage(const QString& text) {
    m_messages->AppendLines(FormatLogLines(QDateTime::currentDateTime(), text));
}

void TfrmZORVEX::SetStatusMessage(const QString& text) {
    // While the simulator plays the lamp, the status bar never lets that be forgotten.
    m_sb->setPanelText(0, IsSimulating() ? ExtraText(u"SimulationStatus"_s, {text}) : text);
    AddMessage(text);
}

void TfrmZORVEX::ApplicationEventsException(const QString& message) {
    AddMessage(message);
}

// --- settings ---

void TfrmZORVEX::ReadPortFromRegistry() {
    if (!m_platform.settings)
        return;
    // Told once the language is applied (FormCreate), so that the line is in the user's language.
    if (const std::optional<QString> port = m_platform.settings->ReadPort())
        m_portName = *port;
}

void TfrmZORVEX::WritePortToRegistry() {
    // The simulator's port is gone with it: the real lamp's port stays remembered.
    if (!m_platform.settings || IsSimulating())
        return;
    m_platform.settings->WritePort(m_portName);
    AddMessage(ExtraText(u"RegistryWritten"_s, {m_portName}));
}

void TfrmZORVEX::DeleteRegistryKey() {
    if (m_platform.settings)
        m_platform.settings->DeleteKey();
}

// --- tabs ---

QAction* TfrmZORVEX::MenuItem(const QString& name) const {
    return findChild<QAction*>(name);
}

QWidget* TfrmZORVEX::TabSheet(const QString& name) const {
    for (int index = 0; index < m_pc->count(); ++index)
        if (m_pc->widget(index)->objectName() == name)
            return m_pc->widget(index);
    return nullptr;
}

void TfrmZORVEX::SetTabSheetVisible(const QString& name, bool visible) {
    if (QWidget* sheet = TabSheet(name))
        m_pc->setTabVisible(m_pc->indexOf(sheet), visible);
    if (visible)
        FitTabBar();
}

void TfrmZORVEX::FitTabBar() {
    // Every tab stays in sight: the window widens to its tab bar (never beyond the screen) rather
    // than hiding the last tabs behind scroll arrows. It never narrows here.
    // The tab widget is the central widget and spans the window's width.
    const int needed = m_pc->tabBar()->sizeHint().width() + TabBarSlack;
    int available = needed;
    if (const QScreen* shown = screen())
        available = shown->availableGeometry().width();
    if (const int fitting = std::min(needed, available); fitting > width())
        resize(fitting, height());
    if (needed <= available)
        return;
    // A screen too narrow for every tab: the tabs give up some of their margins first, and only
    // then are their captions shortened; a tab is never hidden behind scroll arrows.
    QTabBar* bar = m_pc->tabBar();
    if (!m_compactTabs) {
        m_compactTabs = true;
        auto* compact = new CompactTabStyle(bar->style()->name());
        compact->setParent(bar);
        bar->setStyle(compact);
    }
    bar->setUsesScrollButtons(false);
    bar->setElideMode(bar->sizeHint().width() + TabBarSlack <= available ? Qt::ElideNone : Qt::ElideRight);
    resize(std::max(width(), std::min(bar->sizeHint().width() + TabBarSlack, available)), height());
}

bool TfrmZORVEX::IsTabSheetVisible(const QString& name) const {
    QWidget* sheet = TabSheet(name);
    return sheet != nullptr && m_pc->isTabVisible(m_pc->indexOf(sheet));
}

void TfrmZORVEX::ShowExpertTabs(bool visible) {
    for (const QString& tab : {u"tsExpert"_s, u"tsBalance"_s, u"tsJMP"_s})
        SetTabSheetVisible(tab, visible);
    UpdateMenuStates();
}

void TfrmZORVEX::ShowPage(QWidget* page) {
    if (page != nullptr && m_pc->currentWidget() != page)
        m_pc->setCurrentWidget(page); // currentChanged runs pcChange
}

void TfrmZORVEX::pcChange() {
    QWidget* active = m_pc->currentWidget();
    if (active == m_chart)
        m_block->Request(rqGetChart);
    else if (active == m_schedule && !m_block->IsRequested(rqGetSchedule))
        FillScheduleGrid();
    else if (active == m_geo)
        RefreshGeoView();
}

bool TfrmZORVEX::FormMouseWheel(int delta) {
    if (m_pc->currentWidget() != m_visualize)
        return false;
    return m_visualize->WheelTurned(delta);
}

namespace {
// The slider, list or spin box a widget belongs to (a spin box's own line edit receives events).
QWidget* ValueControlOf(QWidget* widget) {
    for (; widget != nullptr && !widget->isWindow(); widget = widget->parentWidget())
        if (qobject_cast<QAbstractSlider*>(widget) || qobject_cast<QComboBox*>(widget) ||
            qobject_cast<QAbstractSpinBox*>(widget))
            return widget;
    return nullptr;
}
} // namespace

bool TfrmZORVEX::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this) {
            if (FormMouseWheel(static_cast<QWheelEvent*>(event)->angleDelta().y())) {
                event->accept();
                return true;
            }
            // The wheel changes only the control that has the focus: a control turned without it
            // would show a value its change handler never sends. The turn goes on to the page
            // behind it, which scrolls.
            if (QWidget* control = ValueControlOf(widget); control != nullptr && !control->hasFocus()) {
                event->ignore();
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- life cycle ---

void TfrmZORVEX::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        FormShow();
    }
}

void TfrmZORVEX::FormShow() {
    m_sb->setProgress(1, 1);
    m_sb->setProgressState(ProgressState::Error);
}

void TfrmZORVEX::closeEvent(QCloseEvent* event) {
    m_closed = true; // nothing connects any more
    FormClose();
    if (m_discoverThread)
        m_discoverThread->Stop();
    // The thread is asked to end before anything is destroyed; wait for it here while its calls
    // into the window can still be served.
    WaitForComThread();
    event->accept();
}

void TfrmZORVEX::FormClose() {
    StopConnection();
}

void TfrmZORVEX::mnuExitClick() {
    close();
}

void TfrmZORVEX::WaitForComThread() {
    QDeadlineTimer deadline(ThreadWaitMs);
    const auto running = [this] {
        if (IsThreadRunning())
            return true;
        for (const auto& thread : m_endingThreads)
            if (!thread->Finished())
                return true;
        return IsDiscoverThreadRunning();
    };
    while (running() && !deadline.hasExpired()) {
        if (m_comThread && !m_comThread->Finished())
            m_comThread->Wait(5);
        else if (IsDiscoverThreadRunning())
            m_discoverThread->Wait(5);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
    }
}

} // namespace zorvex
