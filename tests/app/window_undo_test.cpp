// Undo and redo in the window: each kind of edit is one step that undo and redo take back and
// give again exactly, raising the bits the edit raised; a typing burst is one step; the history
// belongs to one connection; the Edit menu names the steps.
#include "windowfixture.h"

#include "edithistory.h"
#include "labelededit.h"
#include "pictureview.h"
#include "schedulecells.h"
#include "schedulepage.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace zorvex;
using namespace zorvex::test;
using namespace Qt::StringLiterals;

namespace {

constexpr std::uint32_t Writes = rqSetConfig | rqSetExpert | rqSetExpertWeather | rqSetSchedule;

// What the block holds and has been asked to send.
struct Seen {
    EditableRecords records;
    std::uint32_t writes;
    std::vector<std::uint8_t> rows;
};

class WindowUndo : public ::testing::Test {
public:
    void SetUp() override {
        f = std::make_unique<WindowFixture>(QStringList{u"-english"_s, u"-expert"_s});
        f->show();
        f->block().Config.Mode = 1;
        f->block().Config.ColorName = {0, 1, 2, 3};
        f->block().Info.TempWater = 251; // the water sensor's edits are enabled
        f->block().Expert.Bias = 999;    // no zone of this computer
        f->block().Expert.FanMode = 2;   // every fan control enabled
        f->connectDevice();
        f->loadSchedule({Row(6, {1000, 2000, 3000, 1500}), Row(12, {4000, 100, 200, 300}),
                         Row(18, {500, 600, 700, 800})});
        f->window().RefreshChannelNames();
        schedule = qobject_cast<SchedulePage*>(f->window().TabSheet(u"tsSchedule"_s));
        sent();
    }
    // The requests as the thread leaves them after sending everything.
    Seen sent() {
        Seen seen{EditableRecordsOf(f->block()), f->block().RequestFlags() & Writes,
                  f->block().ScheduleRowDirty()};
        RecordBuffer buffer{};
        while (f->block().LoadChangedScheduleRow(buffer)) {
        }
        f->block().AssignRequests(0);
        return seen;
    }
    EditHistory& history() { return f->window().History(); }
    QString undoText() const { return f->find<QAction>(u"mnuUndo"_s)->text(); }
    void drag(std::size_t row, QPointF to) {
        f->showPage(u"tsVisualize"_s);
        auto* image = f->find<PictureView>(u"img"_s);
        const VisualPoint& point = f->block().VisualPoints.at(row);
        const auto send = [image](QEvent::Type type, QPointF at) {
            const Qt::MouseButtons buttons =
                type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
            QMouseEvent event(type, at, image->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
            QApplication::sendEvent(image, &event);
        };
        send(QEvent::MouseButtonPress, QPointF(point[0], point[1]));
        send(QEvent::MouseMove, QPointF(to.x(), (to.y() + point[1]) / 2));
        send(QEvent::MouseMove, to);
        send(QEvent::MouseButtonRelease, to);
    }
    void rightClickColumn(int channel) {
        schedule->sgScheduleMouseDown(Qt::RightButton, ScheduleFirstChannelColumn + channel, 1, {});
    }

    std::unique_ptr<WindowFixture> f;
    SchedulePage* schedule = nullptr;
};

struct Kind {
    const char* name;
    QString label;
    std::function<void(WindowUndo&)> edit;
};

} // namespace

TEST_F(WindowUndo, EachKindOfStepIsUndoneAndRedoneExactlyWithTheBitsTheEditRaised) {
    const QList<Kind> kinds = {
        {"cell level", u"W level of line 1"_s,
         [](WindowUndo& t) { t.schedule->sgScheduleSetEditText(ScheduleFirstChannelColumn, 2, u"50"_s); }},
        {"cell time", u"Time of line 2"_s,
         [](WindowUndo& t) { t.schedule->sgScheduleSetEditText(ScheduleStartColumn, 3, u"19:30"_s); }},
        {"switch", u"Display of line 0"_s,
         [](WindowUndo& t) {
             t.schedule->sgScheduleMouseDown(Qt::LeftButton, ScheduleFirstSwitchColumn, 1, {});
         }},
        {"JMP pin", u"JMP pin of line 1"_s,
         [](WindowUndo& t) { t.schedule->sgScheduleSetEditText(ScheduleTimerColumn, 2, u"5"_s); }},
        {"row move", u"move of line 2"_s, [](WindowUndo& t) { t.schedule->MoveLine(3, 1); }},
        {"column paste", u"column paste"_s,
         [](WindowUndo& t) {
             t.rightClickColumn(0);
             t.schedule->mnuCopyColClick();
             t.rightClickColumn(2);
             t.schedule->mnuPasteColClick();
         }},
        {"column swap", u"column swap"_s,
         [](WindowUndo& t) {
             t.rightClickColumn(1);
             t.schedule->mnuCopyColClick();
             t.rightClickColumn(3);
             t.schedule->mnuSwapColClick();
         }},
        {"drag", u"drag on the visualisation"_s, [](WindowUndo& t) { t.drag(1, QPointF(20, 20)); }},
        {"edit", u"setting \"Slow level (%)\""_s,
         [](WindowUndo& t) { t.f->typeInto(u"edtFanLow"_s, u"33"_s); }},
        {"slider", u"setting \"W: Unnamed\""_s, [](WindowUndo& t) { t.f->slide(u"trbMoon0"_s, 20); }},
        {"radio", u"setting \"Fan control\""_s,
         [](WindowUndo& t) {
             auto* water = t.f->find<QRadioButton>(u"rbtFMOWater"_s);
             t.f->focus(water);
             QTest::mouseClick(water, Qt::LeftButton, {}, QPoint(6, water->height() / 2));
         }},
        {"config import", u"configuration import"_s,
         [](WindowUndo& t) {
             t.f->dialogs->answer = true;
             t.f->dialogs->chosenFile = t.f->writeFile(u"c.ini"_s, "[Config]\r\nFanLow=77\r\n");
             t.f->window().mnuConfigImportClick();
         }},
        {"schedule import", u"schedule import"_s,
         [](WindowUndo& t) {
             t.f->dialogs->answer = true;
             t.f->dialogs->chosenFile = t.f->writeFile(u"s.ini"_s, "[1]\r\nHour=23\r\nColor160=7\r\n");
             t.f->window().mnuScheduleImportClick();
         }},
        {"time zone", u"time zone from this computer"_s,
         [](WindowUndo& t) { QTest::mouseClick(t.f->find<QPushButton>(u"btnApplyTZI"_s), Qt::LeftButton); }},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        history().Clear();
        const Seen before = sent();
        kind.edit(*this);
        const Seen edited = sent();
        ASSERT_FALSE(SameRecords(before.records, edited.records));
        ASSERT_TRUE(history().CanUndo());
        EXPECT_EQ(history().Stack()->count(), 1);
        EXPECT_EQ(undoText(), u"&Undo "_s + kind.label);

        history().Undo();
        const Seen undone = sent();
        EXPECT_TRUE(SameRecords(undone.records, before.records));
        EXPECT_EQ(undone.writes, edited.writes);
        EXPECT_EQ(undone.rows, edited.rows);

        history().Redo();
        const Seen redone = sent();
        EXPECT_TRUE(SameRecords(redone.records, edited.records));
        EXPECT_EQ(redone.writes, edited.writes);
        EXPECT_EQ(redone.rows, edited.rows);
    }
}

TEST_F(WindowUndo, TypingOneValueIsOneStepAndANewFocusStartsAnother) {
    const std::int16_t original = f->block().Expert.TempWaterLow;
    auto* edit = f->find<LabeledEdit>(u"edtTempWaterLow"_s);
    f->focus(edit);
    edit->lineEdit()->selectAll();
    for (const QChar c : u"25.5"_s)
        edit->lineEdit()->insert(QString(c));
    EXPECT_EQ(f->block().Expert.TempWaterLow, 255);
    EXPECT_EQ(history().Stack()->count(), 1);

    f->typeInto(u"edtFanLow"_s, u"12"_s);       // another control
    f->typeInto(u"edtTempWaterLow"_s, u"26"_s); // the focus came back: a step of its own
    EXPECT_EQ(history().Stack()->count(), 3);

    history().Undo();
    history().Undo();
    history().Undo();
    EXPECT_EQ(f->block().Expert.TempWaterLow, original);
    EXPECT_FALSE(history().CanUndo());
}

TEST_F(WindowUndo, TheMenuFollowsTheHistoryWhichEndsWithTheConnection) {
    auto* undo = f->find<QAction>(u"mnuUndo"_s);
    auto* redo = f->find<QAction>(u"mnuRedo"_s);
    const QStringList menus = [this] {
        QStringList titles;
        for (QAction* action : f->window().menuBar()->actions())
            titles << action->menu()->objectName();
        return titles;
    }();
    EXPECT_EQ(menus.indexOf(u"mnuEdit"_s), menus.indexOf(u"mnuFile"_s) + 1);
    EXPECT_EQ(menus.indexOf(u"mnuConnection"_s), menus.indexOf(u"mnuEdit"_s) + 1);
    EXPECT_EQ(redo->shortcuts(),
              (QList<QKeySequence>{QKeySequence(u"Ctrl+Shift+Z"_s), QKeySequence(u"Ctrl+Y"_s)}));
    EXPECT_EQ(undo->shortcut(), QKeySequence(u"Ctrl+Z"_s));
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_EQ(undo->text(), u"&Undo"_s);

    drag(0, QPointF(30, 30));
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), u"&Undo drag on the visualisation"_s);
    undo->trigger();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_TRUE(redo->isEnabled());
    EXPECT_EQ(redo->text(), u"&Redo drag on the visualisation"_s);

    f->window().SetConnectedState(false);
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_EQ(redo->text(), u"&Redo"_s);
    f->connectDevice();
    f->typeInto(u"edtFanLow"_s, u"12"_s);
    EXPECT_TRUE(undo->isEnabled());
    f->connectDevice(); // another identification
    EXPECT_FALSE(undo->isEnabled());
}

TEST(WindowUndoGerman, TheEditMenuNamesTheStepInGerman) {
    WindowFixture f({u"/german"_s});
    f.show();
    f.connectDevice();
    f.loadSchedule({Row(6, {1000, 2000, 3000, 1500}), Row(18, {500, 600, 700, 800})});
    EXPECT_EQ(f.find<QMenu>(u"mnuEdit"_s)->title(), u"&Bearbeiten"_s);
    EXPECT_EQ(f.find<QAction>(u"mnuUndo"_s)->text(), u"&Rückgängig"_s);
    auto* schedule = qobject_cast<SchedulePage*>(f.window().TabSheet(u"tsSchedule"_s));
    schedule->MoveLine(2, 1);
    EXPECT_EQ(f.find<QAction>(u"mnuUndo"_s)->text(), u"&Rückgängig: Verschieben von Zeile 1"_s);
    f.window().History().Undo();
    EXPECT_EQ(f.find<QAction>(u"mnuRedo"_s)->text(), u"&Wiederholen: Verschieben von Zeile 1"_s);
}
