// The device view: enabling rules, the status texts, refreshes and the focus rule.
#include "windowfixture.h"

#include "arrivals.h"

#include "devicetexts.h"
#include "labelededit.h"
#include "simplepages.h"
#include "statuspanels.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace zorvex;
using namespace zorvex::test;
using namespace Qt::StringLiterals;

namespace {

class WindowView : public ::testing::Test {
protected:
    void SetUp() override {
        f = std::make_unique<WindowFixture>(QStringList{u"-english"_s, u"-expert"_s});
        f->show();
        Info& info = f->block().Info;
        info.TempBoard = 300;
        info.TempWater = 251;
        info.Year = 24;
        info.Month = 5;
        info.Day = 17;
        info.Hour = 8;
        info.Minute = 30;
    }
    QString panel(int n) const { return f->window().StatusBar()->panelText(n); }
    QString activePage() const { return f->window().PageControl()->currentWidget()->objectName(); }
    std::unique_ptr<WindowFixture> f;
};

} // namespace

TEST_F(WindowView, ConnectedStateEnablesDeviceControls) {
    EXPECT_FALSE(f->window().MenuItem(u"mnuModeAuto"_s)->isEnabled());
    EXPECT_FALSE(f->find<QWidget>(u"trb0"_s)->isEnabled());
    EXPECT_FALSE(f->find<QWidget>(u"tsSchedule"_s)->isEnabled());
    EXPECT_FALSE(f->find<QWidget>(u"edtCloudAlpha"_s)->isEnabled());

    f->block().Config.Mode = 1; // Auto: no manual channel control, but the weather triggers
    f->window().SetConnectedState(true);
    EXPECT_EQ(f->window().StatusBar()->progressState(), ProgressState::Normal);
    // Identified, but nothing read yet: nothing that would write is usable.
    for (const QString& name : {u"trbFanLow"_s, u"tsSchedule"_s, u"edtCloudAlpha"_s, u"cmbName0"_s})
        EXPECT_FALSE(f->find<QWidget>(name)->isEnabled()) << name.toStdString();
    EXPECT_FALSE(f->window().MenuItem(u"mnuModeAuto"_s)->isEnabled());
    f->connectDevice();
    EXPECT_TRUE(f->window().MenuItem(u"mnuModeAuto"_s)->isEnabled());
    EXPECT_TRUE(f->find<QWidget>(u"cmbName0"_s)->isEnabled());
    EXPECT_FALSE(f->find<QWidget>(u"trb0"_s)->isEnabled());
    EXPECT_FALSE(f->find<QWidget>(u"btnOn2"_s)->isEnabled());
    EXPECT_TRUE(f->find<QWidget>(u"btnCloud"_s)->isEnabled());
    EXPECT_TRUE(f->find<QWidget>(u"tsSchedule"_s)->isEnabled());
    EXPECT_TRUE(f->find<QWidget>(u"edtCloudAlpha"_s)->isEnabled());
    EXPECT_TRUE(f->find<QWidget>(u"edtMoon1"_s)->isEnabled());

    f->block().Config.Mode = 0;
    f->window().RefreshConfig();
    EXPECT_TRUE(f->find<QWidget>(u"trb0"_s)->isEnabled());
    EXPECT_FALSE(f->find<QWidget>(u"btnStorm"_s)->isEnabled());
}

TEST_F(WindowView, FanOffNeedsAFanModeOtherThanTheSensor) {
    // The real order: connected first, the fan mode arrives with Expert afterwards.
    f->window().SetConnectedState(true);
    f->block().Expert.FanMode = 1;
    test::ArriveAsHeld(f->block());
    f->window().RefreshExpert();
    EXPECT_FALSE(f->find<QWidget>(u"trbFanOff"_s)->isEnabled());
    EXPECT_FALSE(f->find<QWidget>(u"edtFanOff"_s)->isEnabled());
    EXPECT_TRUE(f->find<QWidget>(u"trbFanLow"_s)->isEnabled());
    f->block().Expert.FanMode = 0;
    f->window().RefreshExpert();
    EXPECT_TRUE(f->find<QWidget>(u"edtFanOff"_s)->isEnabled());
}

TEST_F(WindowView, DisconnectBringsTheMessagePageToTheFront) {
    f->connectDevice();
    EXPECT_EQ(activePage(), u"tsChannels"_s); // the download left the log
    EXPECT_FALSE(panel(1).isEmpty());
    f->window().SetConnectedState(false);
    EXPECT_EQ(activePage(), u"tsMessages"_s);
    EXPECT_TRUE(panel(1).isEmpty());
    EXPECT_TRUE(panel(2).isEmpty());
    EXPECT_TRUE(f->find<QLabel>(u"lblBoard"_s)->text().isEmpty());
    EXPECT_EQ(f->window().windowTitle(), u"www.zorvexpro.net \u2022 ZORVEXPRO 1.x.4"_s);
    EXPECT_EQ(f->window().StatusBar()->progressState(), ProgressState::Error);
    EXPECT_FALSE(f->window().MenuItem(u"mnuRefresh"_s)->isEnabled());
    // A window that was not connected stays on its page.
    f->window().ShowPage(f->window().TabSheet(u"tsGeo"_s));
    f->window().SetConnectedState(false);
    EXPECT_EQ(activePage(), u"tsGeo"_s);
}

TEST_F(WindowView, FirstPageAfterTheDownloadFollowsTheMode) {
    f->block().Config.Mode = 2;
    f->connectDevice();
    EXPECT_EQ(activePage(), u"tsGeo"_s);
    EXPECT_EQ(f->settings->writes, 1);
    EXPECT_EQ(f->logLinesContaining(u"Port remembered: "_s), 1);
    // Later downloads keep the page the user chose.
    f->window().ShowPage(f->window().TabSheet(u"tsWeather"_s));
    f->window().RefreshExpertWeather();
    EXPECT_EQ(activePage(), u"tsWeather"_s);
    f->block().Config.Mode = 1;
    f->window().ShowPage(f->window().TabSheet(u"tsMessages"_s));
    f->window().RefreshExpertWeather();
    EXPECT_EQ(activePage(), u"tsSchedule"_s);
}

TEST_F(WindowView, StatusTextCaptionAndBoardColour) {
    f->block().Info.ErrorFlags = 0x10; // RAM full alone
    f->connectDevice();
    auto* board = f->find<QLabel>(u"lblBoard"_s);
    EXPECT_EQ(board->text(), u"RAM full \u2022 Board temperature: 30.0°C \u2022 QuillTemp: 25.1°C"_s);
    EXPECT_NE(board->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_TRUE(f->window().windowTitle().endsWith(
        u"ZORVEXPRO 1.x.4 \u2022 RAM full \u2022 Board temperature: 30.0°C "
        u"\u2022 QuillTemp: 25.1°C"_s));
    f->block().Info.ErrorFlags = 0x10 | 0x08;
    f->window().RefreshInfo();
    EXPECT_TRUE(board->text().startsWith(u"CRC error \u2022 RAM full"_s));
    EXPECT_EQ(board->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(panel(1), DeviceClockText(f->block().Info));
}

TEST_F(WindowView, ModeAndEventLettersInPanelTwo) {
    f->block().Config.Mode = 4;
    f->block().Info.EventFlags = 0x04 | 0x08;
    f->connectDevice();
    EXPECT_EQ(panel(2), u"FlashCH"_s);
    f->block().Info.StateFlags = 0x10;
    f->window().RefreshConfig();
    EXPECT_EQ(panel(2), u"Saving"_s);
}

TEST_F(WindowView, NoWaterSensor) {
    f->block().Info.TempWater = NoTemperature;
    f->connectDevice();
    EXPECT_FALSE(f->find<QLabel>(u"lblBoard"_s)->text().contains(u"QuillTemp"_s));
    for (const QString& name :
         {u"edtTempOffset"_s, u"edtTempWaterLow"_s, u"edtTempWaterHigh"_s, u"rbtJMPCooler"_s,
          u"rbtJMPHeater"_s, u"edtTempCoolLow"_s, u"edtTempHeatHigh"_s, u"rbtCHMTempWater"_s,
          u"edtCloudTempWater"_s, u"rbtFMOWater"_s})
        EXPECT_FALSE(f->find<QWidget>(name)->isEnabled()) << name.toStdString();
    EXPECT_TRUE(f->find<QWidget>(u"rbtCHMTempBoard"_s)->isEnabled());
    EXPECT_TRUE(f->find<QWidget>(u"edtCloudTempBoard"_s)->isEnabled());

    f->block().Info.TempWater = 240;
    f->block().Expert.FanMode = 0; // guided by brightness: no water hysteresis
    f->window().RefreshExpert();
    f->window().RefreshInfo();
    EXPECT_TRUE(f->find<QWidget>(u"edtTempOffset"_s)->isEnabled());
    EXPECT_TRUE(f->find<QWidget>(u"rbtJMPHeater"_s)->isEnabled());
    EXPECT_FALSE(f->find<QWidget>(u"edtTempWaterLow"_s)->isEnabled());
}

TEST_F(WindowView, RefreshesFillTheSettingsPages) {
    SharedBlock& b = f->block();
    b.Config.LCDBLMax = 80;
    b.Config.TimeLapse = 12;
    b.Config.CloudP = 1820;
    b.Config.CloudD = 0; // keeps the previous position
    b.Config.StormD = 69;
    b.Config.Flag = 0x04 | 0x02;
    b.Config.ColorName = {1, 2, 3, 11};
    b.Expert.TempWaterLow = 250;
    b.Expert.TempOffset = -5;
    b.Expert.ChartScale = 15;
    b.Expert.ChartMode = 1;
    b.Expert.JMPMode = 6;
    b.Expert.Bias = -300;
    b.ExpertWeather.MoonColor16 = {1000, 0, 0, 4096};
    b.ExpertWeather.WeatherDelay = {255, 2, 0, 0};
    b.ExpertWeather.BalanceSum = 77;
    b.ExpertWeather.LightningMask = {0, 0, 17, 0};
    auto* seconds = f->find<QSlider>(u"trbCloudSeconds"_s);
    seconds->setValue(123);
    f->connectDevice();

    EXPECT_EQ(f->find<LabeledEdit>(u"edtLCDBLMax"_s)->text(), u"80"_s);
    EXPECT_EQ(f->find<QSlider>(u"trbLCDBLMax"_s)->value(), 80);
    EXPECT_EQ(f->find<LabeledEdit>(u"edtTimeLapse"_s)->text(), u"12"_s);
    EXPECT_EQ(f->find<QSlider>(u"trbCloudCount"_s)->value(), 2999);
    EXPECT_EQ(f->find<LabeledEdit>(u"edtCloudCount"_s)->text(), u"2999"_s);
    EXPECT_EQ(seconds->value(), 123);
    EXPECT_EQ(f->find<LabeledEdit>(u"edtCloudSeconds"_s)->text(), u"123"_s);
    // 202 minutes lie beyond the slider: the edit shows the slider's position.
    EXPECT_EQ(f->find<LabeledEdit>(u"edtStormMinutes"_s)->text(), u"200"_s);
    EXPECT_TRUE(f->find<QRadioButton>(u"rbtFahrenheit"_s)->isChecked());
    EXPECT_TRUE(f->find<QRadioButton>(u"rbt20x4"_s)->isChecked());
    EXPECT_EQ(f->find<LabeledEdit>(u"edtTempWaterLow"_s)->text(), u"77.0"_s);
    EXPECT_EQ(f->find<LabeledEdit>(u"edtTempOffset"_s)->text(), u"-0.5"_s);
    EXPECT_EQ(f->find<LabeledEdit>(u"edtChartScale"_s)->text(), u"1.5"_s);
    EXPECT_EQ(f->find<LabeledEdit>(u"edtTimeZoneBias"_s)->text(), u"-300"_s);
    EXPECT_TRUE(f->find<QRadioButton>(u"rbtCHMTempBoard"_s)->isChecked());
    EXPECT_TRUE(f->find<QRadioButton>(u"rbtJMPTimer"_s)->isChecked());
    EXPECT_EQ(f->find<LabeledEdit>(u"edtMoon0"_s)->text(), u"24.41"_s);
    EXPECT_EQ(f->find<QSlider>(u"trbMoon3"_s)->value(), 4096);
    EXPECT_EQ(f->find<LabeledEdit>(u"edtWeatherDelay0"_s)->text(), u"25.5"_s);
    EXPECT_EQ(f->find<LabeledEdit>(u"edtWeatherDelay1"_s)->text(), u"0.2"_s);
    EXPECT_EQ(f->find<LabeledEdit>(u"edtBalanceSum"_s)->text(), u"77"_s);
    EXPECT_EQ(f->find<LabeledEdit>(u"edtLightningMask2"_s)->text(), u"17"_s);

    // Channel names: letters and colour names, tints on the per-channel edits.
    EXPECT_EQ(f->find<LabeledEdit>(u"edtMoon1"_s)->caption(), u"R: Red"_s);
    EXPECT_EQ(f->find<LabeledEdit>(u"edt3"_s)->background(), QColor(0xA0, 0x80, 0xFF));
    EXPECT_EQ(f->find<LabeledEdit>(u"edtLightningMask1"_s)->background(), QColor(0xFF, 0x80, 0x80));
    EXPECT_EQ(f->find<QComboBox>(u"cmbName2"_s)->currentIndex(), 3);
    auto* visualize = f->find<QComboBox>(u"cmbVisualize"_s);
    ASSERT_EQ(visualize->count(), 4);
    EXPECT_EQ(visualize->itemText(0), u"W: PureWhite"_s);
}

TEST_F(WindowView, WeatherRatios) {
    SharedBlock& b = f->block();
    b.Config.Mode = 1;
    b.Config.CloudP = 1;
    b.Config.CloudD = 3;
    b.Info.EventFlags = 0x02; // thunderstorm active
    f->connectDevice();
    EXPECT_EQ(f->find<QLabel>(u"lblCloudRatio"_s)->text(), u"Cloud ratio: 25%"_s);
    EXPECT_EQ(f->find<QLabel>(u"lblStormRatio"_s)->text(), u"Thunderstorm currently active \u2022 "_s);
}

TEST_F(WindowView, FocusGuardBothWays) {
    f->block().Config.Mode = 0;
    f->connectDevice();
    auto* slider = f->find<QSlider>(u"trb0"_s);
    auto* edit = f->find<LabeledEdit>(u"edt0"_s);

    // A refresh does not move a focused slider, but writes the unfocused edit.
    slider->setFocus();
    ASSERT_TRUE(slider->hasFocus());
    f->block().Info.ChannelValue[0] = 2048;
    f->window().RefreshInfo();
    EXPECT_EQ(slider->value(), 0);
    EXPECT_EQ(edit->text(), u"50"_s);

    // A programme's write into an unfocused control raises no request.
    f->block().AssignRequests(0);
    f->find<QSlider>(u"trb1"_s)->setValue(100);
    EXPECT_FALSE(f->block().IsRequested(rqSetInfoChannels));
    EXPECT_EQ(f->block().Info.ChannelValue[1], 0);

    // The user's move of the focused slider stores the level and fills the edit.
    QTest::keyClick(slider, Qt::Key_PageUp);
    EXPECT_EQ(slider->value(), 128);
    EXPECT_EQ(f->block().Info.ChannelValue[0], 128);
    EXPECT_EQ(edit->text(), u"3.12"_s); // 3.125, the half to even
    EXPECT_TRUE(f->block().IsRequested(rqSetInfoChannels));

    // While the edit has the focus, a refresh leaves the typed text alone.
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    edit->lineEdit()->selectAll();
    QTest::keyClicks(edit->lineEdit(), u"7"_s);
    f->block().Info.ChannelValue[0] = 4096;
    f->window().RefreshInfo();
    EXPECT_EQ(edit->text(), u"7"_s);
    EXPECT_EQ(slider->value(), 4096);
}

TEST_F(WindowView, CurrentRowAndScheduleGrid) {
    SharedBlock& b = f->block();
    b.Info.RowCount = 3;
    b.Schedule.resize(3);
    b.Schedule[1].Hour = 7;
    b.Schedule[1].Minute = 5;
    b.Schedule[1].Color16 = {4096, 1, 0, 2048};
    b.Schedule[1].Switch = 0x40;
    b.Schedule[1].Timer = -3;
    b.Info.CurrentRow = 2;
    f->connectDevice();
    f->window().FillScheduleGrid();
    auto* grid = f->find<QTableWidget>(u"sgSchedule"_s);
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->item(1, 1)->text(), u"07:05"_s);
    EXPECT_EQ(grid->item(1, 2)->text(), u"100"_s);
    EXPECT_EQ(grid->item(1, 3)->text(), u"0.02"_s);
    EXPECT_EQ(grid->item(1, 6)->text(), u"OFF"_s);
    EXPECT_EQ(grid->item(1, 7)->text(), u"ON"_s);
    EXPECT_EQ(grid->item(1, 9)->text(), u"-3"_s);
    EXPECT_EQ(grid->horizontalHeaderItem(2)->text(), u"W: Unnamed"_s);
    b.Config.Mode = 2;
    b.Schedule[1].Alt = 5000;
    f->window().FillScheduleGrid();
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), u"Alt"_s);
    EXPECT_EQ(grid->item(1, 1)->text(), u"30"_s);
}

// The log keeps to its newest line: lines added while another page shows are at the end once the
// log page shows; a user who scrolled up to read is not moved; the newest 10,000 lines are kept.
TEST_F(WindowView, TheLogFollowsNewLinesUnlessTheUserScrolledUpAndKeepsTheNewest) {
    auto* memo = f->find<QPlainTextEdit>(u"mem"_s);
    QScrollBar* bar = memo->verticalScrollBar();
    const auto lastLineShows = [memo] {
        const QPoint bottom(2, memo->viewport()->height() - 2);
        return memo->cursorForPosition(bottom).blockNumber() == memo->document()->blockCount() - 1;
    };
    f->showPage(u"tsChannels"_s);
    for (int line = 0; line < 300; ++line)
        f->window().AddMessage(u"hidden line "_s + QString::number(line));
    f->showPage(u"tsMessages"_s);
    QCoreApplication::processEvents();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_TRUE(lastLineShows());

    // The user scrolls up to read: a new line leaves the view where it is.
    bar->setValue(bar->maximum() / 2);
    const int reading = bar->value();
    f->window().AddMessage(u"while reading"_s);
    EXPECT_EQ(bar->value(), reading);
    // Back at the end, the log follows again, also while another page shows.
    bar->setValue(bar->maximum());
    f->showPage(u"tsChannels"_s);
    f->window().AddMessage(u"later"_s);
    f->showPage(u"tsMessages"_s);
    QCoreApplication::processEvents();
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_TRUE(lastLineShows());

    QStringList many;
    for (int line = 0; line <= MessagesPage::MaxLines; ++line)
        many << u"many "_s + QString::number(line);
    f->window().AddMessage(many.join(u"\r\n"_s));
    EXPECT_EQ(memo->document()->blockCount(), MessagesPage::MaxLines);
    EXPECT_TRUE(memo->document()->firstBlock().text().endsWith(u"] many 1"_s));
    EXPECT_TRUE(memo->document()->lastBlock().text().endsWith(u"] many 10000"_s));
}
