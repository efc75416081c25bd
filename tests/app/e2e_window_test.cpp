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

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {

constexpr int WaitMs = 20000;

class WindowAgainstSimulator : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(simulator.start({u"--no-pacing"_s, u"--trace"_s}));
        Platform platform;
        platform.settings = std::make_unique<QSettingsPortSettings>(settingsDir.filePath(u"port.ini"_s));
        window = std::make_unique<TfrmZORVEX>(std::move(platform), ComThreadConnection::Factory(),
                                              QStringList{u"-english"_s, simulator.linkPath()});
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override { window.reset(); }

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

    QTemporaryDir settingsDir;
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
