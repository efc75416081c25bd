// Channels and modes: slider, edit and buttons, all-channel commands, modes and the Options menu.
#include "windowfixture.h"

#include "firmwarefile.h"
#include "labelededit.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace zorvex;
using namespace zorvex::test;
using namespace Qt::StringLiterals;

namespace {

class WindowChannels : public ::testing::Test {
protected:
    void SetUp() override {
        f = std::make_unique<WindowFixture>(QStringList{u"-english"_s});
        f->show();
        f->block().Config.Mode = 0;
        f->connectDevice();
        f->block().AssignRequests(0);
    }
    void TearDown() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    QString activePage() const { return f->window().PageControl()->currentWidget()->objectName(); }
    // Types `text` into a channel edit as the user does.
    void type(int channel, const QString& text) {
        auto* edit = f->find<LabeledEdit>(u"edt"_s + QString::number(channel));
        edit->setFocus();
        edit->lineEdit()->selectAll();
        QTest::keyClicks(edit->lineEdit(), text);
    }
    std::unique_ptr<WindowFixture> f;
};

} // namespace

TEST_F(WindowChannels, TypedPercentInTheUsersLocale) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    type(0, u"12,5"_s);
    EXPECT_EQ(f->block().Info.ChannelValue[0], 512);
    EXPECT_EQ(f->find<QSlider>(u"trb0"_s)->value(), 512);
    EXPECT_TRUE(f->block().IsRequested(rqSetInfoChannels));

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    type(1, u"50"_s);
    EXPECT_EQ(f->block().Info.ChannelValue[1], 2048);
    EXPECT_EQ(f->find<QSlider>(u"trb1"_s)->value(), 2048);
}

TEST_F(WindowChannels, TextThatIsNoNumberChangesNothing) {
    type(2, u"4x"_s);
    EXPECT_EQ(f->block().Info.ChannelValue[2], 4 * 41); // "4" counted, "4x" ignored
    EXPECT_EQ(f->find<LabeledEdit>(u"edt2"_s)->text(), u"4x"_s);
    f->block().AssignRequests(0);
    type(2, u"abc"_s);
    EXPECT_EQ(f->block().Info.ChannelValue[2], 164);
    EXPECT_FALSE(f->block().IsRequested(rqSetInfoChannels));
}

TEST_F(WindowChannels, PercentOutsideTheRangeIsLimited) {
    type(3, u"150"_s);
    EXPECT_EQ(f->block().Info.ChannelValue[3], 4096);
    EXPECT_EQ(f->find<QSlider>(u"trb3"_s)->value(), 4096);
    type(3, u"-5"_s);
    EXPECT_EQ(f->block().Info.ChannelValue[3], 0);
}

TEST_F(WindowChannels, OnOffButtonsAndAllChannelCommands) {
    QTest::mouseClick(f->find<QPushButton>(u"btnOn1"_s), Qt::LeftButton);
    EXPECT_EQ(f->block().Info.ChannelValue[1], 4096);
    EXPECT_EQ(f->find<LabeledEdit>(u"edt1"_s)->text(), u"100"_s);
    EXPECT_TRUE(f->block().IsRequested(rqSetInfoChannels));
    QTest::mouseClick(f->find<QPushButton>(u"btnOff1"_s), Qt::LeftButton);
    EXPECT_EQ(f->find<QSlider>(u"trb1"_s)->value(), 0);

    f->window().ShowPage(f->window().TabSheet(u"tsWeather"_s));
    f->window().MenuItem(u"mnuAll20"_s)->trigger();
    EXPECT_EQ(activePage(), u"tsChannels"_s);
    for (int n = 0; n < 4; ++n) {
        EXPECT_EQ(f->block().Info.ChannelValue[static_cast<std::size_t>(n)], 819);
        EXPECT_EQ(f->find<LabeledEdit>(u"edt"_s + QString::number(n))->text(), u"20"_s);
        EXPECT_EQ(f->find<QSlider>(u"trb"_s + QString::number(n))->value(), 819);
    }
    f->window().mnuAllOnClick();
    EXPECT_EQ(f->find<LabeledEdit>(u"edt3"_s)->text(), u"100"_s);
    f->window().mnuAllOffClick();
    EXPECT_EQ(f->block().Info.ChannelValue[2], 0);
}

TEST_F(WindowChannels, ColourListChangesTheConfiguration) {
    auto* list = f->find<QComboBox>(u"cmbName0"_s);
    list->setCurrentIndex(4);
    Q_EMIT list->activated(4);
    EXPECT_EQ(f->block().Config.ColorName[0], 4);
    EXPECT_TRUE(f->block().IsRequested(rqSetConfig));
    EXPECT_EQ(f->find<LabeledEdit>(u"edtBalance0"_s)->caption(), u"W: Blue"_s);
    EXPECT_EQ(f->find<QComboBox>(u"cmbVisualize"_s)->itemText(0), u"W: Blue"_s);
}

TEST_F(WindowChannels, RgbDemoAfterASliderMoveDropsTheChannelWrite) {
    auto* slider = f->find<QSlider>(u"trb0"_s);
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_PageUp);
    f->block().Request(rqSetSchedule);
    ASSERT_TRUE(f->block().IsRequested(rqSetInfoChannels));
    f->window().mnuModeRGBDemoClick();
    EXPECT_EQ(f->block().RequestFlags(), std::uint32_t{rqSetConfig});
    EXPECT_EQ(f->block().Config.Mode, 3);
    EXPECT_EQ(activePage(), u"tsChannels"_s);

    f->block().AssignRequests(rqSetInfoChannels);
    f->window().mnuModeFlashClick();
    EXPECT_EQ(f->block().RequestFlags(), std::uint32_t{rqSetConfig});
}

TEST_F(WindowChannels, OtherModesKeepPendingRequestsAndChooseTheirPage) {
    f->block().AssignRequests(rqSetInfoChannels);
    f->window().mnuModeAutoClick();
    EXPECT_EQ(f->block().RequestFlags(), std::uint32_t{rqSetInfoChannels | rqSetConfig});
    EXPECT_EQ(activePage(), u"tsSchedule"_s);
    f->window().mnuModeGeoClick();
    EXPECT_EQ(activePage(), u"tsGeo"_s);
    EXPECT_EQ(f->block().Config.Mode, 2);
    // Selecting the active mode still sends the configuration.
    f->block().AssignRequests(0);
    f->window().MenuItem(u"mnuModeGeo"_s)->trigger();
    EXPECT_EQ(f->block().RequestFlags(), std::uint32_t{rqSetConfig});
    f->window().mnuModeManualClick();
    EXPECT_EQ(activePage(), u"tsChannels"_s);
}

TEST_F(WindowChannels, OptionsMenuMarks) {
    f->block().Config.Mode = 1;
    f->block().Config.Flag = 0x01;
    f->window().mnuOptionsClick();
    EXPECT_TRUE(f->window().MenuItem(u"mnuModeAuto"_s)->isChecked());
    EXPECT_TRUE(f->window().MenuItem(u"mnuStepBig"_s)->isChecked());
    EXPECT_FALSE(f->window().MenuItem(u"mnuShowExpert"_s)->isChecked());
    f->block().Config.Mode = 7; // unknown: the marks stay
    f->window().mnuOptionsClick();
    EXPECT_TRUE(f->window().MenuItem(u"mnuModeAuto"_s)->isChecked());

    f->window().MenuItem(u"mnuStepBig"_s)->trigger();
    EXPECT_EQ(f->block().Config.Flag & 0x01, 0);
    EXPECT_TRUE(f->block().IsRequested(rqSetConfig));
    f->window().MenuItem(u"mnuStepBig"_s)->trigger();
    EXPECT_EQ(f->block().Config.Flag & 0x01, 1);
}

TEST_F(WindowChannels, ExpertTabsToggle) {
    f->window().mnuShowExpertClick();
    EXPECT_TRUE(f->window().IsTabSheetVisible(u"tsBalance"_s));
    EXPECT_EQ(activePage(), u"tsExpert"_s);
    f->window().mnuOptionsClick();
    EXPECT_TRUE(f->window().MenuItem(u"mnuShowExpert"_s)->isChecked());
    f->window().mnuShowExpertClick();
    EXPECT_FALSE(f->window().IsTabSheetVisible(u"tsJMP"_s));
}

TEST_F(WindowChannels, OneShotCommands) {
    f->window().mnuRefreshClick();
    EXPECT_EQ(f->block().RequestFlags(), 0x551u);
    f->block().AssignRequests(0);
    f->window().mnuSaveEEPROMClick();
    EXPECT_EQ(f->block().RequestFlags(), std::uint32_t{rqSaveEEPROM});
    f->block().AssignRequests(0);
    QTest::mouseClick(f->find<QPushButton>(u"btnCloud"_s), Qt::LeftButton); // disabled in Manual
    EXPECT_EQ(f->block().RequestFlags(), 0u);
    f->window().ShowPage(f->window().TabSheet(u"tsWeather"_s));
    f->block().Config.Mode = 1;
    f->window().RefreshConfig();
    QTest::mouseClick(f->find<QPushButton>(u"btnStorm"_s), Qt::LeftButton);
    EXPECT_EQ(f->block().RequestFlags(), std::uint32_t{rqToggleStorm});

    f->block().AssignRequests(0);
    f->block().Info.Hour = 1;
    f->window().mnuSetTimeDateClick();
    EXPECT_EQ(activePage(), u"tsGeo"_s);
    EXPECT_EQ(f->block().Info.Hour, QTime::currentTime().hour());
    EXPECT_EQ(f->block().Config.TimeLapse, 1);
    EXPECT_TRUE(f->block().IsRequested(rqSetInfoTime));
    EXPECT_TRUE(f->block().IsRequested(rqSetConfig));
}

TEST_F(WindowChannels, PairingTheRemoteControlNeedsConfirmation) {
    f->block().Expert.RC5 = {0x0001, 0x1002, 0, 0, 0, 0, 0, 0xFFFF};
    f->dialogs->answer = false;
    f->window().mnuIRLearnClick();
    EXPECT_EQ(f->block().Expert.RC5[0], 0x0001);
    EXPECT_FALSE(f->block().IsRequested(rqSetExpert));
    ASSERT_EQ(f->dialogs->confirmations.size(), 1);
    EXPECT_TRUE(f->dialogs->confirmations.front().startsWith(u"Pair IR remote control|"_s));
    EXPECT_TRUE(f->dialogs->confirmations.front().endsWith(u"Proceed?"_s));
    EXPECT_TRUE(f->dialogs->confirmations.front().contains(u"ZORVEXPRO"_s));

    f->dialogs->answer = true;
    f->window().mnuIRLearnClick();
    EXPECT_EQ(f->block().Expert.RC5[0], 0x1001);
    EXPECT_EQ(f->block().Expert.RC5[1], 0x0002);
    EXPECT_EQ(f->block().Expert.RC5[7], 0xEFFF);
    EXPECT_TRUE(f->block().IsRequested(rqSetExpert));
}

TEST_F(WindowChannels, FirmwareUpdateConfirmationAndFileDialog) {
    f->window().mnuFileClick();
    EXPECT_FALSE(f->window().MenuItem(u"mnuFirmwareUpdate"_s)->isEnabled()); // no thread
    f->dialogs->answer = false;
    f->window().mnuFirmwareUpdateClick();
    EXPECT_FALSE(f->block().IsRequested(rqFirmwareUpdate));
    ASSERT_EQ(f->dialogs->confirmations.size(), 1);
    EXPECT_TRUE(
        f->dialogs->confirmations.front().startsWith(u"Update firmware|Updating the firmware will happen"_s));
    f->dialogs->answer = true;
    f->window().mnuFirmwareUpdateClick();
    EXPECT_TRUE(f->block().IsRequested(rqFirmwareUpdate));

    f->dialogs->chosenFile.clear();
    EXPECT_TRUE(f->window().ChooseFirmwareFile().isEmpty());
    // Firmware files are downloaded: without a folder of its own the dialog opens there.
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    EXPECT_EQ(f->dialogs->fileDialog,
              (QStringList{u"Choose ZORVEXPRO 1.x firmware file"_s, dir, dir + u"/ZORVEXPRO1x4.zvx"_s,
                           u"ZORVEXPRO 1.x firmware (ZORVEXPRO1x*.zvx)"_s, u"zvx"_s}));
    EXPECT_EQ(activePage(), u"tsChannels"_s);
    f->dialogs->chosenFile =
        f->writeFile(u"ZORVEXPRO1x4.zvx"_s, PackFirmwareImage(0, QByteArray(256, '\x5A')));
    EXPECT_EQ(f->window().ChooseFirmwareFile(), f->dialogs->chosenFile);
    EXPECT_EQ(activePage(), u"tsMessages"_s);
    EXPECT_TRUE(f->dialogs->warnings.isEmpty());
}

// A file the update would refuse is explained in a message box, and the dialog opens again.
TEST_F(WindowChannels, AFileThatIsNoFirmwareForThisLampIsExplainedBeforeTheDialogReturns) {
    QByteArray damaged = PackFirmwareImage(0, QByteArray(256, '\x5A'));
    damaged[10] = '\x00'; // the checksum no longer matches
    const QString good = f->writeFile(u"good.zvx"_s, PackFirmwareImage(0, QByteArray(256, '\x5A')));
    const QString notes = f->writeFile(u"notes.zvx"_s, "not a firmware file at all");
    f->dialogs->chosenFile = f->writeFile(u"damaged.zvx"_s, damaged);
    f->dialogs->nextChosenFiles = {notes, good};
    EXPECT_EQ(f->window().ChooseFirmwareFile(), good);
    ASSERT_EQ(f->dialogs->warnings.size(), 2);
    EXPECT_TRUE(f->dialogs->warnings.at(0).startsWith(u"Choose ZORVEXPRO 1.x firmware file|"_s));
    EXPECT_TRUE(f->dialogs->warnings.at(0).contains(u"Checksum error in file"_s))
        << f->dialogs->warnings.at(0).toStdString();
    EXPECT_TRUE(f->dialogs->warnings.at(1).contains(notes)) << f->dialogs->warnings.at(1).toStdString();
    for (const QString& warning : f->dialogs->warnings)
        EXPECT_TRUE(warning.endsWith(u"\nChoose a firmware file for the ZORVEXPRO 1.x."_s));

    // Cancelled after a refusal: nothing is chosen.
    f->dialogs->warnings.clear();
    f->dialogs->chosenFile = notes;
    f->dialogs->nextChosenFiles.clear();
    EXPECT_TRUE(f->window().ChooseFirmwareFile().isEmpty());
    EXPECT_EQ(f->dialogs->warnings.size(), 1);
}

TEST_F(WindowChannels, TheWheelChangesOnlyAFocusedControlWhichThenSendsItsValue) {
    const struct {
        QString name;
        QString page;
        std::uint32_t request;
    } controls[] = {{u"trb0"_s, u"tsChannels"_s, rqSetInfoChannels},
                    {u"cmbName0"_s, u"tsChannels"_s, rqSetConfig},
                    {u"trbFanLow"_s, u"tsConfig"_s, rqSetConfig}};
    const auto turn = [](QWidget* control) {
        const QPointF at(5, 5);
        QWheelEvent wheel(at, control->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(control, &wheel);
    };
    const auto valueOf = [](QWidget* control) {
        if (auto* list = qobject_cast<QComboBox*>(control))
            return list->currentIndex();
        return qobject_cast<QSlider*>(control)->value();
    };
    f->block().Info.ChannelValue[0] = 2048;
    f->block().Config.FanLow = 50;
    f->connectDevice();
    for (const auto& c : controls) {
        QWidget* control = f->find<QWidget>(c.name);
        f->window().ShowPage(f->window().TabSheet(c.page));
        f->find<QWidget>(u"mem"_s)->setFocus();
        f->block().AssignRequests(0);
        const int before = valueOf(control);
        turn(control);
        EXPECT_EQ(valueOf(control), before) << c.name.toStdString();
        EXPECT_FALSE(f->block().IsRequested(c.request)) << c.name.toStdString();

        control->setFocus();
        turn(control);
        EXPECT_NE(valueOf(control), before) << c.name.toStdString();
        EXPECT_TRUE(f->block().IsRequested(c.request)) << c.name.toStdString();
    }
}

TEST_F(WindowChannels, WheelOnTheVisualisationPage) {
    auto* list = f->find<QComboBox>(u"cmbVisualize"_s);
    // Elsewhere the wheel is left alone.
    EXPECT_FALSE(f->window().FormMouseWheel(-120));
    f->window().ShowPage(f->window().TabSheet(u"tsVisualize"_s));
    for (int turn = 0; turn < 5; ++turn)
        EXPECT_TRUE(f->window().FormMouseWheel(-120));
    EXPECT_EQ(list->currentIndex(), 3);
    for (int turn = 0; turn < 5; ++turn)
        f->window().FormMouseWheel(120);
    EXPECT_EQ(list->currentIndex(), 0);
    // A real wheel event over a control of the page.
    auto* image = f->find<QWidget>(u"img"_s);
    const QPointF at(10, 10);
    QWheelEvent wheel(at, image->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(image, &wheel);
    EXPECT_EQ(list->currentIndex(), 1);
}
