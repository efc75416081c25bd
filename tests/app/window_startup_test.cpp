// Start-up, the command line, the language and the menus of the main window.
#include "windowfixture.h"

#include "application.h"
#include "labelededit.h"
#include "language.h"
#include "statuspanels.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace zorvex;
using namespace zorvex::test;
using namespace Qt::StringLiterals;

TEST(WindowStartup, WithoutArgumentsOpensOnTheLogWithoutThread) {
    WindowFixture f({u"-english"_s});
    WindowFixture plain;
    f.show();
    for (WindowFixture* fixture : {&f, &plain}) {
        TfrmZORVEX& w = fixture->window();
        EXPECT_EQ(w.PageControl()->currentWidget()->objectName(), u"tsMessages"_s);
        EXPECT_TRUE(fixture->connections.empty());
        EXPECT_FALSE(w.IsThreadRunning());
        EXPECT_TRUE(w.PortName().isEmpty());
    }
    EXPECT_EQ(plain.logLinesContaining(u"Parameter: "_s), 0);
    EXPECT_EQ(f.logLinesContaining(u"] Parameter: -english"_s), 1);
    EXPECT_EQ(f.logLinesContaining(u"ZORVEXPRO 1.x.4 started"_s), 1);
    EXPECT_EQ(f.window().StatusBar()->progressState(), ProgressState::Error);
    EXPECT_EQ(f.window().windowTitle(), u"www.zorvexpro.net \u2022 ZORVEXPRO 1.x.4"_s);
    // The log starts with the wiring warning; start-up lines follow it.
    EXPECT_TRUE(f.log().constFirst().startsWith(u"IMPORTANT: BEFORE POWERON"_s));
    EXPECT_TRUE(f.window().ProgramDir().endsWith(u'/'));
}

TEST(WindowStartup, RememberedPortConnectsAtOnceAndArgumentsOverrideIt) {
    WindowFixture remembered({}, u"ttyUSB0 (/dev/ttyUSB0)"_s);
    ASSERT_EQ(remembered.connectedPorts, QStringList{u"ttyUSB0 (/dev/ttyUSB0)"_s});
    EXPECT_EQ(remembered.logLinesContaining(u"Port remembered: ttyUSB0 (/dev/ttyUSB0)"_s), 1);

    WindowFixture overridden({u"com7"_s, u"-debug"_s}, u"ttyUSB0 (/dev/ttyUSB0)"_s);
    ASSERT_EQ(overridden.connectedPorts, QStringList{u"COM7"_s});
    EXPECT_TRUE(overridden.connections.front()->debug);
    EXPECT_TRUE(overridden.window().DebugMode());

    WindowFixture single({u"q"_s});
    EXPECT_EQ(single.connectedPorts, QStringList{u"Q"_s});
}

TEST(WindowStartup, SwitchesShowTheirTabs) {
    WindowFixture none;
    EXPECT_FALSE(none.window().IsTabSheetVisible(u"tsExpert"_s));
    EXPECT_FALSE(none.window().IsTabSheetVisible(u"tsRC433"_s));
    EXPECT_FALSE(none.window().IsTabSheetVisible(u"tsChannelsGL"_s));
    for (const QString& argument : {u"/Expert"_s, u"-EXPERT"_s}) {
        WindowFixture f({argument});
        for (const QString& tab : {u"tsExpert"_s, u"tsBalance"_s, u"tsJMP"_s})
            EXPECT_TRUE(f.window().IsTabSheetVisible(tab)) << argument.toStdString();
        EXPECT_FALSE(f.window().IsTabSheetVisible(u"tsRC433"_s));
    }
    WindowFixture dashes({u"--expert"_s, u"-rc433"_s});
    EXPECT_FALSE(dashes.window().IsTabSheetVisible(u"tsExpert"_s));
    EXPECT_TRUE(dashes.window().IsTabSheetVisible(u"tsRC433"_s));
    EXPECT_FALSE(dashes.window().TabSheet(u"tsRC433"_s)->isEnabled());
}

TEST(WindowStartup, EnglishRelabelling) {
    WindowFixture f({u"-german"_s, u"-english"_s});
    EXPECT_EQ(f.find<QLabel>(u"lblName0"_s)->text(), u"Label for channel W"_s);
    EXPECT_EQ(f.find<QLabel>(u"lblName3"_s)->text(), u"Label for channel B"_s);
    EXPECT_EQ(f.find<QPushButton>(u"btnOn2"_s)->text(), u"ON"_s);
    EXPECT_EQ(f.find<QPushButton>(u"btnOff1"_s)->text(), u"OFF"_s);
    EXPECT_EQ(f.find<LabeledEdit>(u"edtMoon2"_s)->caption(), u"G"_s);
    EXPECT_EQ(f.find<LabeledEdit>(u"edtLightningMask3"_s)->caption(), u"B"_s);
    EXPECT_EQ(f.find<LabeledEdit>(u"edtFanHigh"_s)->caption(), u"Fast level (%)"_s);
    EXPECT_EQ(f.find<LabeledEdit>(u"edtCloudTempWater"_s)->caption(), u"Water temperature (QuillTemp)"_s);
    QTabWidget* pc = f.window().PageControl();
    EXPECT_EQ(pc->tabText(pc->indexOf(f.window().TabSheet(u"tsChannels"_s))), u"Channels"_s);
    EXPECT_EQ(pc->tabText(pc->indexOf(f.window().TabSheet(u"tsMessages"_s))), u"Messages"_s);
    EXPECT_EQ(f.window().MenuItem(u"mnuCHMTempBoard"_s)->text(), u"Board temperature"_s);
    EXPECT_EQ(f.find<QMenu>(u"mnuConnection"_s)->title(), u"&Connection"_s);
    EXPECT_EQ(f.window().MenuItem(u"mnuIRLearn"_s)->text(), u"&Pair IR remote control..."_s);
    EXPECT_EQ(f.find<QWidget>(u"edtLat"_s)->toolTip(), u"positive: north, negative: south"_s);
    EXPECT_EQ(f.find<QPushButton>(u"btnApplyTZI"_s)->text(), u"Get from this computer"_s);
}

TEST(WindowStartup, GermanRelabelling) {
    WindowFixture f({u"/german"_s});
    EXPECT_TRUE(f.find<QLabel>(u"lblName0"_s)->text().endsWith(u" W"_s));
    EXPECT_NE(f.find<QLabel>(u"lblName0"_s)->text(), u"Label for channel W"_s);
    EXPECT_FALSE(f.find<QLabel>(u"lblName1"_s)->text().contains(u"%s"_s));
    EXPECT_EQ(f.find<QPushButton>(u"btnOn3"_s)->text(), f.find<QPushButton>(u"btnOn0"_s)->text());
    EXPECT_NE(f.find<QPushButton>(u"btnOn3"_s)->text(), u"ON"_s);
    EXPECT_EQ(f.find<QPushButton>(u"btnApplyTZI"_s)->text(), u"Vom Computer übernehmen"_s);
    EXPECT_EQ(f.logLinesContaining(u"ZORVEXPRO 1.x.4 "_s + LookupMessage(u"Started"_s)), 1);
    EXPECT_NE(LookupMessage(u"Started"_s), u"started"_s);
    LoadLanguageTable(Language::English); // leave the other tests their English table
}

TEST(WindowStartup, FormShapeAndChannelControls) {
    WindowFixture f;
    for (int n = 0; n < 12; ++n) {
        const QString digit = QString::number(n);
        for (const QString& stem : {u"lblName"_s, u"trb"_s, u"edt"_s, u"btnOff"_s, u"btnOn"_s, u"cmbName"_s,
                                    u"edtMoon"_s, u"trbMoon"_s, u"edtWeatherDelay"_s, u"trbWeatherDelay"_s,
                                    u"edtBalance"_s, u"trbBalance"_s, u"edtLightningMask"_s}) {
            auto* control = f.find<QWidget>(stem + digit);
            ASSERT_NE(control, nullptr) << (stem + digit).toStdString();
            EXPECT_EQ(control->isHidden(), n >= 4) << (stem + digit).toStdString();
        }
    }
    auto* trb0 = f.find<QSlider>(u"trb0"_s);
    EXPECT_EQ(trb0->maximum(), 4096);
    EXPECT_EQ(trb0->pageStep(), 128);
    EXPECT_EQ(trb0->tickInterval(), 512);
    EXPECT_EQ(f.find<QSlider>(u"trbFanHigh"_s)->maximum(), 100);
    EXPECT_EQ(f.find<QSlider>(u"trbTime"_s)->maximum(), 1439);
    EXPECT_EQ(f.find<QSlider>(u"trbCloudCount"_s)->maximum(), 3000);
    EXPECT_TRUE(f.find<QWidget>(u"gbxTemperatureUnit"_s)->isHidden());
    EXPECT_TRUE(f.find<QWidget>(u"rbtCHMVoltage"_s)->isHidden());
    EXPECT_FALSE(f.window().MenuItem(u"mnuCHMVoltage"_s)->isVisible());
    EXPECT_GE(f.window().PageControl()->minimumWidth(), 767);
    EXPECT_EQ(f.window().PageControl()->count(), 15);
    // The start-up clock of the geo page is now, and the location the default.
    EXPECT_EQ(f.block().Config.Lat, 501);
    EXPECT_EQ(f.find<LabeledEdit>(u"edtLat"_s)->text(), u"50.1"_s);
    EXPECT_EQ(f.block().Chart.Samples[39], 32767);
    EXPECT_EQ(f.block().Config.TimeLapse, 1);
}

TEST(WindowStartup, StatusPanelsFollowTheBarWidth) {
    WindowFixture f;
    f.show();
    StatusPanels* sb = f.window().StatusBar();
    EXPECT_EQ(sb->panelWidth(1), 160);
    EXPECT_EQ(sb->panelWidth(2), 100);
    EXPECT_LE(sb->panelWidth(0), sb->width() - 260);
    f.window().resize(1300, 700);
    QTest::qWait(20);
    EXPECT_GT(sb->panelWidth(0), 462);
    EXPECT_LE(sb->panelWidth(0), sb->width() - 260);
}

TEST(WindowMenus, ItemsCaptionsAndShortcuts) {
    WindowFixture f;
    const std::vector<std::pair<QString, QString>> shortcuts{
        {u"mnuDiscover"_s, u"Ctrl+I"_s},    {u"mnuRemove"_s, u"Ctrl+U"_s},
        {u"mnuDisconnect"_s, u"Ctrl+D"_s},  {u"mnuModeManual"_s, u"Ctrl+F1"_s},
        {u"mnuModeFlash"_s, u"Ctrl+F5"_s},  {u"mnuAllOff"_s, u"Ctrl+0"_s},
        {u"mnuAll20"_s, u"Ctrl+2"_s},       {u"mnuAllOn"_s, u"Ctrl+1"_s},
        {u"mnuSetTimeDate"_s, u"Ctrl+C"_s}, {u"mnuStepBig"_s, u"F4"_s},
        {u"mnuShowExpert"_s, u"F6"_s},      {u"mnuShowRC433"_s, u"F8"_s},
        {u"mnuRefresh"_s, u"F5"_s},         {u"mnuSaveEEPROM"_s, u"Ctrl+S"_s},
        {u"mnuIRLearn"_s, u"Ctrl+R"_s},     {u"mnuHealth"_s, u"Ctrl+Alt+Shift+X"_s},
        {u"mnuDebug"_s, u"Ctrl+Alt+D"_s},   {u"mnuFAQ"_s, u"F1"_s}};
    for (const auto& [name, keys] : shortcuts) {
        QAction* item = f.window().MenuItem(name);
        ASSERT_NE(item, nullptr) << name.toStdString();
        EXPECT_EQ(item->shortcut().toString(QKeySequence::PortableText), keys) << name.toStdString();
    }
    // The hidden items answer their shortcuts through the window.
    EXPECT_EQ(f.find<QShortcut>(u"mnuHealthShortcut"_s)->key().toString(QKeySequence::PortableText),
              u"Ctrl+Alt+Shift+X"_s);
    EXPECT_EQ(f.find<QShortcut>(u"mnuDebugShortcut"_s)->key().toString(QKeySequence::PortableText),
              u"Ctrl+Alt+D"_s);
    for (const QString& hidden : {u"mnuHealth"_s, u"mnuDebug"_s, u"mnuLoadReef"_s, u"mnuShowRC433"_s})
        EXPECT_FALSE(f.window().MenuItem(hidden)->isVisible()) << hidden.toStdString();
    for (const QString& name : {u"mnuScheduleImport"_s, u"mnuConfigImport"_s, u"mnuScheduleConfigExport"_s,
                                u"mnuFirmwareUpdate"_s, u"mnuExit"_s, u"mnuHardware"_s, u"mnuSoftware"_s})
        EXPECT_NE(f.window().MenuItem(name), nullptr) << name.toStdString();
    EXPECT_NE(f.find<QMenu>(u"mnuConnect"_s), nullptr);
    EXPECT_EQ(f.window().MenuItem(u"mnuModeAuto"_s)->actionGroup(),
              f.window().MenuItem(u"mnuModeGeo"_s)->actionGroup());
}

TEST(WindowMenus, HiddenItemsAnswerTheirShortcuts) {
    WindowFixture f;
    f.show();
    QTest::keyClick(&f.window(), Qt::Key_D, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_TRUE(f.window().DebugMode());
    EXPECT_EQ(f.logLinesContaining(u"Debug messages active"_s), 1);
    // "Read health data" needs a connected device, like the other device commands.
    QTest::keyClick(&f.window(), Qt::Key_X, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_FALSE(f.window().IsTabSheetVisible(u"tsExpert"_s));
    f.window().SetConnectedState(true);
    QTest::keyClick(&f.window(), Qt::Key_X, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_TRUE(f.window().IsTabSheetVisible(u"tsJMP"_s));
}

TEST(WindowStartup, ExceptionInAHandlerIsOneLogLine) {
    WindowFixture f;
    f.show();
    auto* application = qobject_cast<TApplication*>(QApplication::instance());
    ASSERT_NE(application, nullptr);
    application->SetExceptionHandler(
        [&f](const QString& text) { f.window().ApplicationEventsException(text); });
    auto* button = f.find<QPushButton>(u"btnNow"_s);
    QObject::connect(button, &QPushButton::clicked, button,
                     [] { throw std::runtime_error("broken handler"); });
    f.window().ShowPage(f.window().TabSheet(u"tsGeo"_s));
    button->setEnabled(true);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(f.logLinesContaining(u"] broken handler"_s), 1);
    EXPECT_TRUE(f.window().isVisible());
    application->SetExceptionHandler({});
}

TEST(WindowStartup, EveryComponentOfTheTranslationTableExists) {
    WindowFixture f({u"-english"_s});
    const LanguageTable& table = CurrentLanguageTable();
    int checked = 0;
    for (const QString& key : table.keys(u"frmZORVEX"_s)) {
        const QString component = key.left(key.indexOf(u'.'));
        if (component == u"btnUpload" || component == u"btnDownload")
            continue; // they name no control of this window
        EXPECT_NE(f.window().findChild<QObject*>(component), nullptr) << component.toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 150);
    for (const QString& name : {u"imgGeo"_s,
                                u"imgMoon"_s,
                                u"imgTemp"_s,
                                u"img"_s,
                                u"imgHealth"_s,
                                u"dtp"_s,
                                u"trbTime"_s,
                                u"lblGeo"_s,
                                u"lblBoard"_s,
                                u"lblCloudRatio"_s,
                                u"lblStormRatio"_s,
                                u"sgSchedule"_s,
                                u"pumCol"_s,
                                u"pumChart"_s,
                                u"cmbVisualize"_s,
                                u"cmbLanguage"_s,
                                u"cbxRC433System1"_s,
                                u"cbxRC433System5"_s,
                                u"rbtJMPHighTide"_s,
                                u"mnuShowRC433"_s,
                                u"mnuCHMTempWater"_s,
                                u"mnuCHMTempSlave"_s,
                                u"tsChannelsGL"_s,
                                u"tsRC433"_s,
                                u"edtTempCoolHigh"_s,
                                u"edtTempHeatHigh"_s,
                                u"edtTempWaterHigh"_s,
                                u"trbBalanceSum"_s,
                                u"trbLightningP"_s,
                                u"trbStormMinutes"_s,
                                u"trbCloudStep"_s,
                                u"trbTimeLapse"_s,
                                u"sb"_s,
                                u"pc"_s})
        EXPECT_NE(f.window().findChild<QObject*>(name), nullptr) << name.toStdString();
}
