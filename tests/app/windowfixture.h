#pragma once

#include "frmzorvex.h"
#include "sharedblock.h"

#include <QEvent>
#include <QPointF>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace zorvex::test {

using namespace Qt::StringLiterals;

// Platform services the tests play: the remembered port, the port list, port arrival, standby
// and resume, dialog answers and opened addresses.
struct FakeSettings : PortSettings {
    std::optional<QString> port;
    int writes = 0;
    std::optional<QString> ReadPort() override { return port; }
    void WritePort(const QString& value) override {
        port = value;
        ++writes;
    }
    void DeleteKey() override { port.reset(); }
};

struct FakePorts : SerialPortSource {
    std::optional<QStringList> entries = QStringList{};
    std::optional<QStringList> PortEntries() override { return entries; }
};

struct FakeArrival : PortArrivalSource {
    void Arrive() { Q_EMIT portArrived(); }
};

struct FakePower : PowerEventSource {
    int readyToSleep = 0;
    void Send(int code) { Q_EMIT powerEvent(code); }
    void ReadyToSleep() override { ++readyToSleep; }
};

struct FakeDialogs : UserDialogs {
    bool answer = false;
    QString chosenFile;
    QStringList confirmations; // caption + "|" + text
    QStringList fileDialog;    // title, directory, file name, filter, suffix of the last dialog
    bool Confirm(const QString& caption, const QString& text) override {
        confirmations << caption + u'|' + text;
        return answer;
    }
    QString ChooseOpenFile(const QString& title, const QString& directory, const QString& fileName,
                           const QString& filter, const QString& defaultSuffix) override {
        fileDialog = {title, directory, fileName, filter, defaultSuffix};
        return chosenFile;
    }
    QString ChooseSaveFile(const QString& title, const QString& directory, const QString& fileName,
                           const QString& filter, const QString& defaultSuffix) override {
        fileDialog = {title, directory, fileName, filter, defaultSuffix};
        return chosenSaveFile;
    }
    bool ConfirmTable(const QString& caption, const QString& text, const QStringList&,
                      const QList<QStringList>& rows) override {
        confirmations << caption + u'|' + text;
        tableRows = rows;
        if (whileTableShown)
            whileTableShown();
        return answer;
    }
    void Warn(const QString& caption, const QString& text) override {
        warnings << caption + u'|' + text;
        // The user picks another file, or cancels when none is left.
        chosenFile = nextChosenFiles.isEmpty() ? QString() : nextChosenFiles.takeFirst();
    }
    QString chosenSaveFile;
    QStringList warnings;         // caption + "|" + text
    QStringList nextChosenFiles;  // the open dialog's answers after each warning
    QList<QStringList> tableRows; // of the last table shown
    // What happens while the table waits for the user (the device read again, say).
    std::function<void()> whileTableShown;
};

struct FakeDialogFolder : DialogFolder {
    std::optional<QString> folder;
    std::optional<QString> LastFolder() override { return folder; }
    void Remember(const QString& value) override { folder = value; }
};

// The Bluetooth backend of the window's installation and removal threads: an adapter without
// devices. While `holdSearch` is set, the search waits (until the thread is asked to end).
struct FakeBluetoothState {
    std::atomic<bool> holdSearch{false};
    std::atomic<int> searches{0};
};

struct FakeBluetooth : BluetoothApi {
    explicit FakeBluetooth(std::shared_ptr<FakeBluetoothState> shared) : state(std::move(shared)) {}
    DeviceSearch FindDevices(bool) override {
        ++state->searches;
        while (state->holdSearch) {
            if (QThread::currentThread()->isInterruptionRequested())
                throw DiscoverInterrupted();
            QThread::msleep(1);
        }
        return {};
    }
    BluetoothResult GetDeviceInfo(BluetoothDevice&) override { return std::nullopt; }
    BluetoothResult Authenticate(const BluetoothDevice&, const QString&) override { return std::nullopt; }
    BluetoothResult CheckSerialPortRights() override { return std::nullopt; }
    BluetoothResult EnableSerialPort(const BluetoothDevice&) override { return std::nullopt; }
    BluetoothResult RemoveDevice(const BluetoothDevice&) override { return std::nullopt; }
    std::shared_ptr<FakeBluetoothState> state;
};

// A communication thread that does nothing but remember what the window asked of it.
struct FakeConnection : ComConnection {
    QString port;
    bool debug = false;
    bool stopped = false;
    bool finished = false;
    // A lingering thread is still ending after Stop() until the test ends it (WindowFixture::end).
    bool lingers = false;
    int selects = 0;
    void SelectPort(const QString& entry, bool debugMode) override {
        port = entry;
        debug = debugMode;
        ++selects;
    }
    void Stop() override {
        stopped = true;
        finished = finished || !lingers;
    }
    bool Stopping() const override { return stopped; }
    bool Finished() const override { return finished; }
    bool Wait(int) override { return finished; }
    void Abandon() override {}
};

// A schedule row starting at `hour` (altitude 50.00°) with the four channel levels.
inline ScheduleRow Row(int hour, std::array<std::int16_t, 4> levels) {
    ScheduleRow row;
    row.Hour = static_cast<std::int8_t>(hour);
    row.Color16 = levels;
    row.Alt = 5000;
    return row;
}

// A window on fake services. Created connections are recorded (their objects belong to the
// window; the records here stay valid as long as the window keeps them).
class WindowFixture {
public:
    explicit WindowFixture(const QStringList& arguments = {}, std::optional<QString> rememberedPort = {},
                           QStringList ports = {});
    ~WindowFixture();

    TfrmZORVEX& window() { return *m_window; }
    SharedBlock& block() { return m_window->Block(); }
    // Shows the window and waits until it is active.
    void show();
    // The device identified: connected state, then the refreshes of a download.
    void connectDevice();
    // A lingering connection ends now, as the thread's finished signal reports it.
    void end(FakeConnection* connection);
    // The device reports `rows` schedule rows (zeroed); the schedule grows as a stored Info grows it.
    void giveScheduleRows(std::uint8_t rows);
    // The device's schedule as a download leaves it: Info with the row count stored the way
    // the thread stores it (rows, curve points and upload flags resized), then the rows and the
    // grid refill (which redraws the visualisation).
    void loadSchedule(const std::vector<ScheduleRow>& rows);
    // Makes the named tab page the active one.
    void showPage(const QString& name);
    QStringList log() const;
    // A file `name` in the test's folder holding `bytes`; its path.
    QString writeFile(const QString& name, const QByteArray& bytes);
    int logLinesContaining(const QString& text) const;
    template <class T> T* find(const QString& name) const { return m_window->findChild<T*>(name); }
    // The user types `text` into the edit named `edit` in one change, as a paste does: its page
    // comes to the front and the edit takes the focus first.
    void typeInto(const QString& edit, const QString& text);
    // The user drags the slider named `slider` to `position`, with the focus on it.
    void slide(const QString& slider, int position);
    // Brings the page that holds `control` to the front and gives the control the focus.
    void focus(QWidget* control);
    // A mouse event of `type` (press, move, double-click, enter or leave) at `position` of
    // `control`, with the left button, straight to the control as the window system delivers it
    // (also at positions outside it, as during a drag).
    void mouse(QWidget* control, QEvent::Type type, QPointF position = {});

    FakeSettings* settings;
    FakePorts* ports;
    FakeArrival* arrival;
    FakePower* power;
    FakeDialogs* dialogs;
    FakeDialogFolder* dialogFolder;
    // The program's data folder (backups) lies in here; it does not exist until written.
    QTemporaryDir dataRoot;
    QString dataFolder() const { return dataRoot.filePath(u"ZORVEXPRO"_s); }
    QList<QUrl> openedUrls;
    // Every connection the window created, in order; and their ports at creation.
    std::vector<FakeConnection*> connections;
    QStringList connectedPorts;
    // New connections keep running after Stop() until end().
    bool threadsLinger = false;
    std::shared_ptr<FakeBluetoothState> bluetooth = std::make_shared<FakeBluetoothState>();

private:
    std::unique_ptr<TfrmZORVEX> m_window;
};

} // namespace zorvex::test
