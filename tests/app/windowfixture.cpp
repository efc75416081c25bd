#include "windowfixture.h"

#include "arrivals.h"

#include "labelededit.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include <algorithm>

namespace zorvex::test {

using namespace Qt::StringLiterals;

WindowFixture::WindowFixture(const QStringList& arguments, std::optional<QString> rememberedPort,
                             QStringList portList) {
    Platform platform;
    auto fakeSettings = std::make_unique<FakeSettings>();
    fakeSettings->port = std::move(rememberedPort);
    settings = fakeSettings.get();
    platform.settings = std::move(fakeSettings);
    auto fakePorts = std::make_unique<FakePorts>();
    fakePorts->entries = std::move(portList);
    ports = fakePorts.get();
    platform.serialPorts = std::move(fakePorts);
    auto fakeArrival = std::make_unique<FakeArrival>();
    arrival = fakeArrival.get();
    platform.portArrival = std::move(fakeArrival);
    auto fakePower = std::make_unique<FakePower>();
    power = fakePower.get();
    platform.powerEvents = std::move(fakePower);
    auto fakeDialogs = std::make_unique<FakeDialogs>();
    dialogs = fakeDialogs.get();
    platform.dialogs = std::move(fakeDialogs);
    auto fakeFolder = std::make_unique<FakeDialogFolder>();
    dialogFolder = fakeFolder.get();
    platform.dialogFolder = std::move(fakeFolder);
    platform.dataFolder = dataFolder();
    platform.openUrl = [this](const QUrl& url) {
        openedUrls << url;
        return true;
    };
    platform.bluetooth = [state = bluetooth] { return std::make_unique<FakeBluetooth>(state); };
    auto factory = [this](TfrmZORVEX&, const QString& port, bool debug) -> std::unique_ptr<ComConnection> {
        auto connection = std::make_unique<FakeConnection>();
        connection->port = port;
        connection->debug = debug;
        connection->lingers = threadsLinger;
        connections.push_back(connection.get());
        connectedPorts << port;
        return connection;
    };
    m_window = std::make_unique<TfrmZORVEX>(std::move(platform), factory, arguments);
}

WindowFixture::~WindowFixture() = default;

void WindowFixture::show() {
    m_window->show();
    m_window->activateWindow();
    if (!QTest::qWaitForWindowActive(m_window.get()))
        qWarning("the window did not become active");
}

void WindowFixture::connectDevice() {
    m_window->SetConnectedState(true);
    ArriveAsHeld(block());
    m_window->RefreshConfig();
    m_window->RefreshInfo();
    m_window->RefreshExpert();
    m_window->RefreshExpertWeather();
}

void WindowFixture::end(FakeConnection* connection) {
    connection->finished = true;
    m_window->ComThreadEnded();
}

void WindowFixture::focus(QWidget* control) {
    for (QWidget* page = control; page != nullptr; page = page->parentWidget())
        if (m_window->PageControl()->indexOf(page) >= 0)
            m_window->ShowPage(page);
    control->setFocus();
    if (!control->hasFocus())
        qWarning("%s did not take the focus", qPrintable(control->objectName()));
}

void WindowFixture::mouse(QWidget* control, QEvent::Type type, QPointF position) {
    const QPointF global = control->mapToGlobal(position);
    if (type == QEvent::Enter) {
        QEnterEvent event(position, position, global);
        QCoreApplication::sendEvent(control, &event);
    } else if (type == QEvent::Leave) {
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(control, &event);
    } else {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, position, global, button, button, Qt::NoModifier);
        QCoreApplication::sendEvent(control, &event);
    }
}

void WindowFixture::typeInto(const QString& edit, const QString& text) {
    auto* control = find<LabeledEdit>(edit);
    focus(control);
    control->lineEdit()->selectAll();
    control->lineEdit()->insert(text);
}

void WindowFixture::slide(const QString& slider, int position) {
    auto* control = find<QSlider>(slider);
    focus(control);
    control->setValue(position);
}

void WindowFixture::giveScheduleRows(std::uint8_t rows) {
    Info info = block().Info;
    info.RowCount = rows;
    RecordBuffer buffer{};
    storeToBuffer(info, buffer);
    // Start-up leaves a clock write pending, which would hold the reply back.
    block().ClearRequest(rqAnyInfoWrite);
    block().StoreInfo(buffer);
    ArriveAsHeld(block()); // the zeroed rows are what the device holds
}

void WindowFixture::loadSchedule(const std::vector<ScheduleRow>& rows) {
    SharedBlock& b = block();
    Info info = b.Info;
    info.RowCount = static_cast<std::uint8_t>(rows.size());
    RecordBuffer buffer{};
    storeToBuffer(info, buffer);
    b.ClearRequest(rqAnyInfoWrite); // a pending Info edit would keep the stored record
    if (!b.StoreInfo(buffer) || b.Schedule.size() != rows.size())
        qFatal("the schedule rows were not resized");
    std::copy(rows.begin(), rows.end(), b.Schedule.begin());
    ArriveAsHeld(b);
    m_window->FillScheduleGrid();
}

QString WindowFixture::writeFile(const QString& name, const QByteArray& bytes) {
    const QString path = dataRoot.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qWarning("%s could not be written", qPrintable(path));
    return path;
}

void WindowFixture::showPage(const QString& name) {
    m_window->ShowPage(m_window->TabSheet(name));
}

QStringList WindowFixture::log() const {
    return find<QPlainTextEdit>(u"mem"_s)->toPlainText().split(u'\n');
}

int WindowFixture::logLinesContaining(const QString& text) const {
    int count = 0;
    for (const QString& line : log())
        count += line.contains(text) ? 1 : 0;
    return count;
}

} // namespace zorvex::test
