// The whole program against the device simulator on a pseudo-terminal: the real communication
// thread, the real window, the real serial link.
#include "comthreadconnection.h"
#include "devicetexts.h"
#include "frmzorvex.h"
#include "labelededit.h"
#include "pictureview.h"
#include "sharedblock.h"
#include "simulatorprocess.h"
#include "statuspanels.h"
#include "windowfixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {

constexpr int WaitMs = 20000;

class WindowAgainstSimulator : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(simulator.start(simulatorOptions()));
        Platform platform;
        platform.settings = std::make_unique<QSettingsPortSettings>(settingsDir.filePath(u"port.ini"_s));
        auto fakeDialogs = std::make_unique<test::FakeDialogs>();
        dialogs = fakeDialogs.get();
        platform.dialogs = std::move(fakeDialogs);
        platform.dataFolder = settingsDir.filePath(u"data"_s);
        window = std::make_unique<TfrmZORVEX>(std::move(platform), ComThreadConnection::Factory(),
                                              QStringList{u"-english"_s, simulator.linkPath()});
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override { window.reset(); }
    virtual QStringList simulatorOptions() const { return {u"--no-pacing"_s, u"--trace"_s}; }

    // Serves the window (and so the thread's calls) until `done` holds; false after the time-out.
    bool serveUntil(const std::function<bool()>& done) {
        const QDeadlineTimer deadline(WaitMs);
        while (!done()) {
            if (deadline.hasExpired())
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            trace << simulator.takeTrace();
        }
        return true;
    }
    QString activePage() const { return window->PageControl()->currentWidget()->objectName(); }
    QString log() const { return window->findChild<QPlainTextEdit*>(u"mem"_s)->toPlainText(); }

    // The thread's requests of one kind the simulator received, as hexadecimal lines.
    QStringList received(const QString& code) const {
        return trace.filter(QRegularExpression(u"^rx "_s + code));
    }
    bool downloaded() {
        return serveUntil([&] { return activePage() != u"tsMessages"; });
    }

    QTemporaryDir settingsDir;
    test::FakeDialogs* dialogs = nullptr;
    SimulatorProcess simulator;
    std::unique_ptr<TfrmZORVEX> window;
    QStringList trace;
};

// The hexadecimal text of a 16-bit value as it goes on the wire (low byte first).
QString WireHex(int value) {
    return u"%1%2"_s.arg(value & 0xFF, 2, 16, QChar(u'0'))
        .arg((value >> 8) & 0xFF, 2, 16, QChar(u'0'))
        .toUpper();
}

} // namespace

TEST_F(WindowAgainstSimulator, DownloadShowsTheDeviceAndASliderMoveReachesIt) {
    ASSERT_TRUE(window->IsThreadRunning());
    EXPECT_EQ(activePage(), u"tsMessages"_s);

    // After the complete download the window leaves the message page (Auto mode: the schedule).
    ASSERT_TRUE(serveUntil([&] { return activePage() != u"tsMessages"; })) << log().toStdString();
    EXPECT_EQ(activePage(), u"tsSchedule"_s);
    EXPECT_TRUE(log().contains(u"Connected to ZORVEXPRO 1.x.4 on "_s + simulator.linkPath()));
    const SharedBlock& block = window->Block();
    EXPECT_EQ(window->StatusBar()->panelText(1), DeviceClockText(block.Info));
    EXPECT_FALSE(window->StatusBar()->panelText(1).isEmpty());
    EXPECT_TRUE(window->StatusBar()->panelText(2).startsWith(u"Auto"_s));
    EXPECT_GT(block.Schedule.size(), 0u);
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(window->findChild<QSlider*>(u"trb"_s + QString::number(n))->value(),
                  block.Info.ChannelValue[static_cast<std::size_t>(n)]);
    // The port counts as good after the download.
    QSettingsPortSettings remembered(settingsDir.filePath(u"port.ini"_s));
    EXPECT_EQ(remembered.ReadPort(), simulator.linkPath());

    // Manual mode makes the sliders usable once the device's configuration comes back.
    window->mnuModeManualClick();
    auto* slider = window->findChild<QSlider*>(u"trb0"_s);
    ASSERT_TRUE(serveUntil([&] { return slider->isEnabled() && window->Block().Config.Mode == 0; }));
    ASSERT_TRUE(serveUntil([&] { return trace.join(u'\n').contains(u"rx 02"_s); }));
    slider->setFocus();
    ASSERT_TRUE(slider->hasFocus());
    const int before = slider->value();
    QTest::keyClick(slider, before + 128 <= 4096 ? Qt::Key_PageUp : Qt::Key_PageDown);
    const int level = slider->value();
    ASSERT_NE(level, before);
    EXPECT_EQ(window->Block().Info.ChannelValue[0], level);

    // The device receives "01" with the channel variant's markers and the new level.
    QString line;
    ASSERT_TRUE(serveUntil([&] {
        for (const QString& candidate : trace)
            if (candidate.startsWith(u"rx 01"_s) && candidate.size() == 5 + 64)
                line = candidate;
        return !line.isEmpty();
    }));
    const QString payload = line.mid(5);
    EXPECT_EQ(payload.mid(2 * 4, 2), u"FF"_s); // current row kept
    EXPECT_EQ(payload.mid(2 * 7, 2), u"FF"_s); // clock kept
    EXPECT_EQ(payload.mid(2 * 17, 4), WireHex(level));

    // Closing ends the thread within the bounded wait.
    window->close();
    ASSERT_NE(window->ComThread(), nullptr);
    EXPECT_TRUE(window->ComThread()->Finished());
    EXPECT_TRUE(log().contains(u"Disconnected from "_s + simulator.linkPath()));
}

TEST_F(WindowAgainstSimulator, ImportsReachTheDeviceAndClosingWritesTheBackup) {
    ASSERT_TRUE(downloaded()) << log().toStdString();
    const std::size_t rows = window->Block().Schedule.size();
    ASSERT_GT(rows, 1u);
    trace.clear();

    // Configuration: Config, Expert and ExpertWeather go out, the new fan level among them.
    const QString settings = settingsDir.filePath(u"settings.ini"_s);
    QFile file(settings);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Config]\r\nFanLow=17\r\n[0]\r\nHour=5\r\n");
    file.close();
    dialogs->chosenFile = settings;
    dialogs->answer = true;
    window->mnuConfigImportClick();
    ASSERT_TRUE(serveUntil([&] {
        return !received(u"02"_s).isEmpty() && !received(u"05"_s).isEmpty() && !received(u"06"_s).isEmpty();
    })) << trace.join(u'\n').toStdString();
    EXPECT_EQ(received(u"02"_s).constLast().mid(5 + 2 * 2, 2), u"11"_s); // FanLow 17

    // Schedule: every row goes out, row 0 with its new hour.
    window->mnuScheduleImportClick();
    ASSERT_TRUE(serveUntil([&] { return received(u"03"_s).size() >= qsizetype(rows); }));
    EXPECT_EQ(received(u"03"_s).constFirst().mid(5, 4), u"0005"_s); // index 0, hour 5

    // Closing writes the backup of what was downloaded and edited.
    ASSERT_TRUE(serveUntil([&] { return !window->Block().IsRequested(rqSetSchedule); }));
    window->close();
    const QString backup =
        settingsDir.filePath(u"data/Backup_"_s + QFileInfo(simulator.linkPath()).fileName() + u".ini"_s);
    QFile written(backup);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << backup.toStdString();
    const QByteArray text = written.readAll();
    EXPECT_TRUE(text.contains("FanLow=17\r\n"));
    EXPECT_TRUE(text.contains("[0]\r\nHour=5\r\n"));
}

TEST_F(WindowAgainstSimulator, ASettingsSliderMoveReachesTheDevicesConfig) {
    ASSERT_TRUE(serveUntil([&] { return activePage() != u"tsMessages"; })) << log().toStdString();
    window->ShowPage(window->TabSheet(u"tsConfig"_s));
    auto* slider = window->findChild<QSlider*>(u"trbFanHigh"_s);
    ASSERT_TRUE(slider->isEnabled());
    slider->setFocus();
    ASSERT_TRUE(slider->hasFocus());
    const int before = slider->value();
    QTest::keyClick(slider, before + 10 <= 100 ? Qt::Key_PageUp : Qt::Key_PageDown);
    const int level = slider->value();
    ASSERT_NE(level, before);
    EXPECT_EQ(window->Block().Config.FanHigh, level);
    EXPECT_EQ(window->findChild<LabeledEdit*>(u"edtFanHigh"_s)->text(), QString::number(level));

    // The device receives "02" with the whole configuration, FanHigh at byte 3, and answers the
    // next poll with it.
    const QString fanHigh = WireHex(level).left(2);
    qsizetype written = -1;
    ASSERT_TRUE(serveUntil([&] {
        for (qsizetype i = 0; i < trace.size() && written < 0; ++i)
            if (trace.at(i).startsWith(u"rx 02"_s) && trace.at(i).size() == 5 + 2 * 23)
                written = i;
        return written >= 0;
    }));
    EXPECT_EQ(trace.at(written).mid(5 + 2 * 3, 2), fanHigh);
    QString readBack;
    ASSERT_TRUE(serveUntil([&] {
        for (qsizetype i = written + 1; i < trace.size(); ++i)
            if (trace.at(i).startsWith(u"tx 82"_s))
                readBack = trace.at(i);
        return !readBack.isEmpty();
    }));
    EXPECT_EQ(readBack.mid(5 + 2 * 3, 2), fanHigh);
    EXPECT_EQ(window->Block().Config.FanHigh, level);
    EXPECT_EQ(slider->value(), level);
}

TEST_F(WindowAgainstSimulator, ALevelTypedIntoTheGridReachesTheDevicesRow) {
    ASSERT_TRUE(downloaded()) << log().toStdString();
    ASSERT_EQ(activePage(), u"tsSchedule"_s); // Auto mode
    auto* grid = window->findChild<QTableWidget*>(u"sgSchedule"_s);
    ASSERT_NE(grid, nullptr);
    trace.clear();
    grid->setFocus();
    grid->setCurrentCell(0, 2);
    if (grid->indexWidget(grid->currentIndex()) == nullptr)
        grid->edit(grid->currentIndex());
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex()));
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, u"50"_s);
    EXPECT_EQ(window->Block().Schedule[0].Color16[0], 2048);

    // "03" carries the row's index and its 15 bytes; channel W's level is at payload byte 5.
    ASSERT_TRUE(serveUntil([&] {
        const QStringList rows = received(u"03"_s);
        return !rows.isEmpty() && rows.constLast().mid(5, 2) == u"00"_s &&
               rows.constLast().mid(5 + 2 * 5, 4) == WireHex(2048);
    })) << trace.join(u'\n').toStdString();
}

TEST_F(WindowAgainstSimulator, DragOnTheVisualisationReachesTheDevicesScheduleRow) {
    ASSERT_TRUE(serveUntil([&] { return activePage() != u"tsMessages"; })) << log().toStdString();
    SharedBlock& block = window->Block();
    ASSERT_GE(block.Schedule.size(), 2u);
    window->ShowPage(window->TabSheet(u"tsVisualize"_s));
    auto* image = window->findChild<PictureView*>(u"img"_s);
    ASSERT_EQ(image->image().size(), image->size());

    // Drag the point of row 1 of channel W to the middle of the picture: about 12:00 and 50 %.
    const VisualPoint point = block.VisualPoints.at(1);
    const ScheduleRow before = block.Schedule[1];
    const QPointF to(image->width() / 2, image->height() / 2);
    const auto send = [&](QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, image->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(image, &event);
    };
    send(QEvent::MouseButtonPress, QPointF(point[0], point[1]), Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::LeftButton);
    // The drag timer redraws while the button is down.
    ASSERT_TRUE(serveUntil([&] { return window->findChild<QTimer*>(u"tmrVisualize"_s)->isActive(); }));
    QTest::qWait(60);
    if (const QString dir = qEnvironmentVariable("ZORVEX_SCREENSHOT_DIR"); !dir.isEmpty())
        window->grab().save(dir + u"/visualization.png"_s);
    send(QEvent::MouseButtonRelease, to, Qt::NoButton);
    const ScheduleRow dragged = block.Schedule[1];
    EXPECT_NE(dragged, before);
    EXPECT_TRUE(dragged.Hour == 12 || (dragged.Hour == 11 && dragged.Minute > 50)) << int(dragged.Hour);
    EXPECT_NEAR(dragged.Color16[0], 2048, 20);

    // The row goes out as "03" with its index, then the device's copy comes back unchanged.
    const QString wire =
        u"rx 0301"_s +
        u"%1%2"_s.arg(dragged.Hour, 2, 16, QChar(u'0')).arg(dragged.Minute, 2, 16, QChar(u'0')).toUpper();
    ASSERT_TRUE(serveUntil([&] {
        return trace.join(u'\n').contains(wire) && !block.IsRequested(rqSetSchedule);
    })) << wire.toStdString();
    block.Schedule[1] = ScheduleRow{};
    block.Request(rqGetSchedule);
    ASSERT_TRUE(serveUntil([&] { return !block.IsRequested(rqGetSchedule); }));
    EXPECT_EQ(block.Schedule[1], dragged);

    if (const QString dir = qEnvironmentVariable("ZORVEX_SCREENSHOT_DIR"); !dir.isEmpty()) {
        window->ShowPage(window->TabSheet(u"tsTemp"_s));
        ASSERT_TRUE(serveUntil([&] { return !block.IsRequested(rqGetChart); }));
        window->grab().save(dir + u"/chart.png"_s);
    }
}

TEST_F(WindowAgainstSimulator, NowWritesTheComputersTimeToTheDevicesClock) {
    ASSERT_TRUE(downloaded()) << log().toStdString();
    window->ShowPage(window->TabSheet(u"tsGeo"_s));
    // The device's clock as its first Info reply after the first SetInfo in the trace tells it
    // (minute, hour, day, month and year in bytes 7 to 11).
    const auto clockAfterWrite = [&]() -> std::optional<QDateTime> {
        for (qsizetype i = trace.indexOf(QRegularExpression(u"rx 01.*"_s)); i >= 0 && i < trace.size(); ++i)
            if (trace.at(i).startsWith(u"tx 81"_s)) {
                const auto byte = [&](int n) { return trace.at(i).mid(5 + 2 * n, 2).toInt(nullptr, 16); };
                return QDateTime(QDate(2000 + byte(11), byte(10), byte(9)), QTime(byte(8), byte(7)));
            }
        return std::nullopt;
    };

    // First the user sets the clock years ahead with the date picker; the device keeps it.
    auto* picker = window->findChild<QDateEdit*>(u"dtp"_s);
    trace.clear();
    picker->setFocus();
    picker->setDate(QDate(2031, 3, 4));
    ASSERT_TRUE(serveUntil([&] { return clockAfterWrite().has_value(); })) << trace.join(u'\n').toStdString();
    EXPECT_EQ(clockAfterWrite()->date(), QDate(2031, 3, 4));

    // "Now" sends the computer's date and time, and the device's clock runs on from there.
    trace.clear();
    QTest::mouseClick(window->findChild<QPushButton*>(u"btnNow"_s), Qt::LeftButton);
    const QDateTime now = QDateTime::currentDateTime();
    ASSERT_TRUE(serveUntil([&] { return clockAfterWrite().has_value(); })) << trace.join(u'\n').toStdString();
    EXPECT_LE(std::abs(clockAfterWrite()->secsTo(now)), 120) << clockAfterWrite()->toString().toStdString();
    EXPECT_EQ(window->Block().Config.TimeLapse, 1);
}

namespace {
// A link as slow as a poor Bluetooth connection: the first download takes seconds.
class WindowOverASlowLink : public WindowAgainstSimulator {
protected:
    QStringList simulatorOptions() const override { return {u"--baud"_s, u"2400"_s, u"--trace"_s}; }
};
} // namespace

TEST_F(WindowOverASlowLink, ASettingWaitsForItsRecordAndThenSendsTheDevicesOwnValuesWithTheEdit) {
    SharedBlock& block = window->Block();
    window->ShowPage(window->TabSheet(u"tsMoon"_s));
    auto* slider = window->findChild<QSlider*>(u"trbMoon0"_s);
    ASSERT_TRUE(serveUntil([&] { return block.HasArrived(SharedBlock::ConfigArrived); }));
    ASSERT_FALSE(block.HasArrived(SharedBlock::ExpertWeatherArrived)) << "the link is too fast for this test";
    // The user reaches for the moon slider while the weather settings are still on their way.
    EXPECT_FALSE(slider->isEnabled());
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_PageUp);

    // The page opens with the refresh that follows the record's arrival.
    ASSERT_TRUE(serveUntil([&] { return block.HoldsCompleteDownload() && slider->isEnabled(); }))
        << log().toStdString();
    EXPECT_TRUE(received(u"06"_s).isEmpty()) << "nothing was sent before the record arrived";
    slider->setFocus();
    ASSERT_TRUE(slider->hasFocus());
    QTest::keyClick(slider, slider->value() + 128 <= 4096 ? Qt::Key_PageUp : Qt::Key_PageDown);
    const int level = slider->value();

    // "06" carries the weather settings as the device sent them, with only the new moon level.
    ASSERT_TRUE(serveUntil([&] { return !received(u"06"_s).isEmpty(); }));
    const QString read = trace.filter(QRegularExpression(u"^tx 86"_s)).constFirst().mid(5);
    const QString sent = received(u"06"_s).constFirst().mid(5);
    EXPECT_EQ(sent.left(2 * 9), read.left(2 * 9));
    EXPECT_EQ(sent.mid(2 * 9, 4), WireHex(level));
    EXPECT_EQ(sent.mid(2 * 11), read.mid(2 * 11));
    EXPECT_NE(read.mid(2 * 6, 2), u"00"_s) << "the simulator's cloud brightness is not zero";
}

TEST(WindowWithASimulatedLamp, StartsConnectsAndEndsWithTheWindow) {
    QTemporaryDir settingsDir;
    Platform platform;
    platform.settings = std::make_unique<QSettingsPortSettings>(settingsDir.filePath(u"port.ini"_s));
    platform.dataFolder = settingsDir.filePath(u"data"_s);
    platform.simulatorPath = QStringLiteral(ZORVEX_DEVSIM_PATH);
    auto window = std::make_unique<TfrmZORVEX>(std::move(platform), ComThreadConnection::Factory(),
                                               QStringList{u"-english"_s});
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QAction* item = window->MenuItem(u"mnuSimulatedLamp"_s);
    ASSERT_TRUE(item->isVisible());
    EXPECT_EQ(item->text(), u"Simulated lamp (no hardware)"_s);

    item->trigger();
    const QString port = window->PortName();
    ASSERT_TRUE(QFileInfo::exists(port)) << port.toStdString();
    const QDeadlineTimer deadline(WaitMs);
    while (!window->Block().HoldsCompleteDownload() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(window->Block().HoldsCompleteDownload());
    EXPECT_TRUE(window->StatusBar()->panelText(0).startsWith(u"Simulation (no hardware): "_s))
        << window->StatusBar()->panelText(0).toStdString();
    // The simulator's port is not remembered as the lamp's, and no backup is kept of it.
    EXPECT_FALSE(QSettingsPortSettings(settingsDir.filePath(u"port.ini"_s)).ReadPort().has_value());

    window->close();
    window.reset();
    EXPECT_FALSE(QFileInfo::exists(port)) << "the simulator ended with the window";
    EXPECT_FALSE(QDir(settingsDir.filePath(u"data"_s)).exists());
}

TEST_F(WindowAgainstSimulator, UndoingADragSendsTheDevicesRowBack) {
    ASSERT_TRUE(downloaded()) << log().toStdString();
    SharedBlock& block = window->Block();
    ASSERT_GE(block.Schedule.size(), 2u);
    window->ShowPage(window->TabSheet(u"tsVisualize"_s));
    auto* image = window->findChild<PictureView*>(u"img"_s);
    const VisualPoint point = block.VisualPoints.at(1);
    const ScheduleRow original = block.Schedule[1];
    const QPointF to(image->width() / 3, image->height() / 4);
    for (const auto& [type, at] :
         {std::pair{QEvent::MouseButtonPress, QPointF(point[0], point[1])}, std::pair{QEvent::MouseMove, to},
          std::pair{QEvent::MouseButtonRelease, to}}) {
        QMouseEvent event(type, at, image->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(image, &event);
    }
    ASSERT_NE(block.Schedule[1], original);
    ASSERT_TRUE(serveUntil([&] { return !block.IsRequested(rqSetSchedule); }));

    // The whole original row goes out again: index, time, altitude and the four levels.
    QString wire =
        u"rx 0301"_s +
        u"%1%2"_s.arg(original.Hour, 2, 16, QChar(u'0')).arg(original.Minute, 2, 16, QChar(u'0')).toUpper() +
        WireHex(original.Alt);
    for (const std::int16_t level : original.Color16)
        wire += WireHex(level);
    trace.clear();
    window->MenuItem(u"mnuUndo"_s)->trigger();
    EXPECT_EQ(block.Schedule[1], original);
    ASSERT_TRUE(serveUntil([&] {
        return trace.join(u'\n').contains(wire) && !block.IsRequested(rqSetSchedule);
    })) << wire.toStdString()
        << "\n"
        << received(u"03"_s).join(u'\n').toStdString();
    block.Schedule[1] = ScheduleRow{};
    block.Request(rqGetSchedule);
    ASSERT_TRUE(serveUntil([&] { return !block.IsRequested(rqGetSchedule); }));
    EXPECT_EQ(block.Schedule[1], original);
}
