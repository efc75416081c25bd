// The visualisation and chart pages in the window: dragging a point edits one row and flags it,
// the time lock follows the mode, presses wait for a schedule download, the chart's click and
// source menu raise their requests.
#include "windowfixture.h"

#include "chartpage.h"
#include "pictureview.h"
#include "visualizepage.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zorvex;
using namespace zorvex::test;
using namespace Qt::StringLiterals;

namespace {

class WindowPictures : public ::testing::Test {
protected:
    void SetUp() override {
        f = std::make_unique<WindowFixture>(QStringList{u"-english"_s, u"-expert"_s});
        f->show();
        f->block().Config.Mode = 1;
        f->connectDevice();
        f->loadSchedule({Row(6, {1000, 2000, 3000, 1500}), Row(18, {500, 600, 700, 800})});
        f->showPage(u"tsVisualize"_s);
        image = f->find<PictureView>(u"img"_s);
        timer = f->find<QTimer>(u"tmrVisualize"_s);
        page = qobject_cast<VisualizePage*>(f->window().TabSheet(u"tsVisualize"_s));
    }
    void mouse(QEvent::Type type, QPointF at) {
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, image->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(image, &event);
    }
    // Presses the point of `row` in the chosen channel and drags it to `to`, without releasing.
    void pressAndDrag(std::size_t row, QPointF to) {
        const VisualPoint& point = f->block().VisualPoints.at(row);
        mouse(QEvent::MouseButtonPress, QPointF(point[0], point[std::size_t(page->VisualChannel()) + 1]));
        mouse(QEvent::MouseMove, to);
    }

    std::unique_ptr<WindowFixture> f;
    PictureView* image = nullptr;
    QTimer* timer = nullptr;
    VisualizePage* page = nullptr;
};

} // namespace

TEST_F(WindowPictures, DragBeyondTheEdgesEditsOneRowOfTheChosenChannel) {
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(image->image().size(), image->size());
    f->find<QComboBox>(u"cmbVisualize"_s)->setCurrentIndex(2);
    Q_EMIT f->find<QComboBox>(u"cmbVisualize"_s)->activated(2);
    const std::vector<ScheduleRow> before = f->block().Schedule;

    pressAndDrag(0, QPointF(image->width() + 500, -300));
    EXPECT_EQ(page->DragRow(), 0);
    EXPECT_TRUE(timer->isActive());
    ScheduleRow expected = before[0];
    expected.Hour = 24;
    expected.Color16[2] = 4096;
    EXPECT_EQ(f->block().Schedule[0], expected);
    EXPECT_EQ(f->block().Schedule[1], before[1]);
    EXPECT_EQ(f->block().ScheduleRowDirty(), (std::vector<std::uint8_t>{0, 0})); // flagged at the release

    mouse(QEvent::MouseButtonRelease, QPointF(image->width() + 500, -300));
    EXPECT_EQ(page->DragRow(), -1);
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(f->block().ScheduleRowDirty(), (std::vector<std::uint8_t>{1, 0}));
    EXPECT_TRUE(f->block().IsRequested(rqSetSchedule));

    // A chooser left without a chosen item keeps the channel.
    Q_EMIT f->find<QComboBox>(u"cmbVisualize"_s)->activated(-1);
    EXPECT_EQ(page->VisualChannel(), 2);
}

TEST_F(WindowPictures, TimeLockAndTheGeoModeKeepTheTimes) {
    auto* lock = f->find<QCheckBox>(u"cbxTimeLock"_s);
    EXPECT_TRUE(lock->isVisible());
    lock->setChecked(true);
    pressAndDrag(1, QPointF(10, image->height() + 100));
    mouse(QEvent::MouseButtonRelease, QPointF(10, image->height() + 100));
    EXPECT_EQ(f->block().Schedule[1].Hour, 18);
    EXPECT_EQ(f->block().Schedule[1].Color16[0], 0);

    lock->setChecked(false);
    f->block().Config.Mode = 2; // Geo: the sun's arc, times mean nothing here
    f->window().RefreshConfig();
    page->DrawVisualization();
    EXPECT_FALSE(lock->isVisible());
    pressAndDrag(0, QPointF(10, -50));
    mouse(QEvent::MouseButtonRelease, QPointF(10, -50));
    EXPECT_EQ(f->block().Schedule[0].Hour, 6);
    EXPECT_EQ(f->block().Schedule[0].Alt, 5000);
    EXPECT_EQ(f->block().Schedule[0].Color16[0], 4096);
}

TEST_F(WindowPictures, PressesWaitForTheScheduleDownload) {
    f->block().Request(rqGetSchedule);
    pressAndDrag(0, QPointF(10, 10));
    EXPECT_EQ(page->DragRow(), -1);
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(f->block().Schedule[0].Color16[0], 1000);
}

TEST_F(WindowPictures, ChartClickAndSourceMenu) {
    f->showPage(u"tsTemp"_s);
    f->block().ClearRequest(rqGetChart);
    auto* chart = f->find<PictureView>(u"imgTemp"_s);
    // At a fixed time of day the time labels along the top stay clear of the pixel looked at.
    f->find<ChartPage>(u"tsTemp"_s)->SetClock([] { return QDateTime(QDate(2026, 5, 1), QTime(12, 0)); });
    f->block().Expert.ChartInterval = 10;
    f->block().Chart.Samples.fill(250);
    f->window().DrawChart();
    EXPECT_EQ(chart->image().size(), chart->size());
    EXPECT_EQ(chart->image().pixel(chart->width() / 2, 5), 0xFFFFFFFFu);

    // A press and a release over the picture, straight to it as the window system delivers them.
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, QPointF(50, 50), chart->mapToGlobal(QPointF(50, 50)), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(chart, &event);
    }
    EXPECT_TRUE(f->block().IsRequested(rqGetChart));
    f->block().ClearRequest(rqGetChart);

    f->block().Info.TempWater = NoTemperature;
    auto* menu = f->find<QMenu>(u"pumChart"_s);
    Q_EMIT menu->aboutToShow();
    EXPECT_FALSE(f->find<QAction>(u"mnuCHMTempWater"_s)->isEnabled());
    f->find<QAction>(u"mnuCHMTempBoard"_s)->trigger();
    EXPECT_EQ(f->block().Expert.ChartMode, 1);
    EXPECT_TRUE(f->find<QRadioButton>(u"rbtCHMTempBoard"_s)->isChecked());
    EXPECT_TRUE(f->block().IsRequested(rqSetExpert));
    EXPECT_TRUE(f->block().IsRequested(rqGetChart));
    Q_EMIT menu->aboutToShow();
    EXPECT_TRUE(f->find<QAction>(u"mnuCHMTempBoard"_s)->isChecked());
    EXPECT_FALSE(f->find<QAction>(u"mnuCHMTempWater"_s)->isChecked());
}

TEST_F(WindowPictures, ADragEndsWithTheConnectionOrNewRowsAndAMissedPressStartsNoRedraws) {
    mouse(QEvent::MouseButtonPress, QPointF(image->width() / 2, 2)); // beside every point
    EXPECT_EQ(page->DragRow(), -1);
    EXPECT_FALSE(timer->isActive());
    mouse(QEvent::MouseButtonRelease, QPointF(image->width() / 2, 2));

    // The rows are replaced under the drag: its release flags nothing.
    pressAndDrag(0, QPointF(10, 10));
    ASSERT_TRUE(timer->isActive());
    f->loadSchedule({Row(7, {1, 2, 3, 4}), Row(19, {5, 6, 7, 8})});
    EXPECT_FALSE(timer->isActive());
    mouse(QEvent::MouseButtonRelease, QPointF(10, 10));
    EXPECT_EQ(f->block().Schedule[0], Row(7, {1, 2, 3, 4}));
    EXPECT_FALSE(f->block().IsRequested(rqSetSchedule));

    // The connection ends under the drag.
    pressAndDrag(1, QPointF(10, 10));
    ASSERT_TRUE(timer->isActive());
    f->window().SetConnectedState(false);
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(page->DragRow(), -1);
    mouse(QEvent::MouseButtonRelease, QPointF(10, 10));
    EXPECT_FALSE(f->block().IsRequested(rqSetSchedule));
}
