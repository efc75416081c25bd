// The schedule grid: typing into cells, switches, moving lines, the column menu, the current line.
#include "windowfixture.h"

#include "schedulepage.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace zorvex;
using namespace zorvex::test;
using namespace Qt::StringLiterals;

namespace {

class WindowSchedule : public ::testing::Test {
protected:
    void SetUp() override {
        f = std::make_unique<WindowFixture>(QStringList{u"-english"_s});
        f->show();
        f->connectDevice();
        grid = f->find<QTableWidget>(u"sgSchedule"_s);
        page = f->find<SchedulePage>(u"tsSchedule"_s);
    }

    // Rows with distinct starts, levels, switches and timers; the grid shows them.
    void giveRows(std::uint8_t mode) {
        f->giveScheduleRows(3);
        const std::int16_t alts[] = {-5000, 0, 5000};
        const std::int16_t levels[] = {1, 2048, 4096};
        for (std::size_t i = 0; i < 3; ++i) {
            ScheduleRow& row = f->block().Schedule[i];
            row.Hour = static_cast<std::int8_t>(6 + i);
            row.Minute = static_cast<std::int8_t>(10 * i);
            row.Alt = alts[i];
            row.Color16 = {levels[i], 0, 0, levels[2 - i]};
            row.Switch = static_cast<std::uint8_t>(0x01 | (0x20 << i));
            row.Timer = static_cast<std::int16_t>(-1 - static_cast<int>(i));
        }
        f->block().Config.Mode = mode;
        f->find<QTabWidget>(u"pc"_s)->setCurrentWidget(page); // fills the grid
    }

    QPoint cellCenter(int row, int column) const {
        return grid->visualItemRect(grid->item(row, column)).center();
    }

    // Opens the editor of a cell and empties it with the keyboard.
    QLineEdit* emptyEditor(int row, int column) {
        grid->setFocus();
        grid->setCurrentCell(row, column); // opens the editor unless the cell was current already
        if (grid->indexWidget(grid->currentIndex()) == nullptr)
            grid->edit(grid->currentIndex());
        auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex()));
        if (editor != nullptr) {
            editor->selectAll();
            QTest::keyClick(editor, Qt::Key_Delete);
        }
        return editor;
    }

    // The row the thread would upload next, taking its mark; -1 when none is marked.
    int takeChangedRow() {
        RecordBuffer buffer{};
        if (!f->block().LoadChangedScheduleRow(buffer))
            return -1;
        return loadFromBuffer<IndexedScheduleRow>(buffer).Index;
    }

    std::unique_ptr<WindowFixture> f;
    QTableWidget* grid = nullptr;
    SchedulePage* page = nullptr;
};

} // namespace

TEST_F(WindowSchedule, TypingTwelveThirtyReadsTheLineAtEveryKeystroke) {
    giveRows(1);
    QLineEdit* editor = emptyEditor(1, 1);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(takeChangedRow(), -1); // an empty text is not read
    const std::pair<int, int> states[] = {{7, 1}, {7, 12}, {12, 12}, {12, 3}, {12, 30}};
    const QString typed = u"12:30"_s;
    for (int i = 0; i < typed.size(); ++i) {
        QTest::keyClick(editor, typed.at(i).toLatin1());
        const ScheduleRow& row = f->block().Schedule[1];
        EXPECT_EQ(std::pair(int{row.Hour}, int{row.Minute}), states[i]) << i;
        EXPECT_EQ(takeChangedRow(), 1) << i;
    }
    EXPECT_EQ(grid->item(1, 1)->text(), u"12:30"_s);
    EXPECT_EQ(editor->text(), u"12:30"_s);
}

TEST_F(WindowSchedule, UnusualTimesAreKept) {
    giveRows(1);
    QLineEdit* editor = emptyEditor(0, 1);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, u"25:70"_s);
    EXPECT_EQ(f->block().Schedule[0].Hour, 25);
    EXPECT_EQ(f->block().Schedule[0].Minute, 70);
    f->window().FillScheduleGrid();
    EXPECT_EQ(grid->item(0, 1)->text(), u"25:70"_s);
}

TEST_F(WindowSchedule, AClickTogglesASwitchWithoutAnEditor) {
    giveRows(1);
    ASSERT_EQ(grid->item(0, 6)->text(), u"ON"_s);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCenter(0, 6));
    EXPECT_EQ(grid->item(0, 6)->text(), u"OFF"_s);
    EXPECT_EQ(f->block().Schedule[0].Switch, 0x01);
    EXPECT_EQ(takeChangedRow(), 0);
    EXPECT_EQ(grid->indexWidget(grid->model()->index(0, 6)), nullptr);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCenter(0, 6));
    EXPECT_EQ(f->block().Schedule[0].Switch, 0x21);
}

TEST_F(WindowSchedule, DraggingALineNumberInAutoMovesTheTimeButNotTheAltitude) {
    giveRows(1);
    const std::vector<ScheduleRow> before = f->block().Schedule;
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, cellCenter(0, 0));
    QTest::mouseMove(grid->viewport(), cellCenter(1, 0));
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, cellCenter(2, 0));

    const auto& rows = f->block().Schedule;
    const int order[] = {1, 2, 0}; // line 0 went to the end
    for (std::size_t i = 0; i < 3; ++i) {
        ScheduleRow expected = before[static_cast<std::size_t>(order[i])];
        expected.Alt = before[i].Alt;
        EXPECT_EQ(rows[i], expected) << i;
        EXPECT_EQ(grid->item(static_cast<int>(i), 0)->text(), QString::number(i));
    }
    EXPECT_EQ(f->block().ScheduleRowDirty(), (std::vector<std::uint8_t>{1, 1, 1}));
}

TEST_F(WindowSchedule, MovingALineInGeoMovesTheAltitudeButNotTheTime) {
    giveRows(2);
    const std::vector<ScheduleRow> before = f->block().Schedule;
    page->MoveLine(3, 2); // grid rows: the last line one up
    const auto& rows = f->block().Schedule;
    EXPECT_EQ(rows[0], before[0]);
    ScheduleRow up = before[2];
    up.Hour = before[1].Hour;
    up.Minute = before[1].Minute;
    ScheduleRow down = before[1];
    down.Hour = before[2].Hour;
    down.Minute = before[2].Minute;
    EXPECT_EQ(rows[1], up);
    EXPECT_EQ(rows[2], down);
    EXPECT_EQ(f->block().ScheduleRowDirty(), (std::vector<std::uint8_t>{0, 1, 1}));
}

TEST_F(WindowSchedule, PastingAColumnOntoItselfStillMarksEverything) {
    giveRows(1);
    f->block().Config.ColorName[1] = 2;
    const std::vector<ScheduleRow> before = f->block().Schedule;
    auto* menu = f->find<QMenu>(u"pumCol"_s);
    auto* paste = f->find<QAction>(u"mnuPasteCol"_s);
    QHeaderView* header = grid->horizontalHeader();
    const QPoint overChannel1(header->sectionViewportPosition(3) + 5, header->height() / 2);

    QTest::mouseClick(header->viewport(), Qt::RightButton, {}, overChannel1);
    ASSERT_TRUE(menu->isVisible());
    EXPECT_FALSE(paste->isEnabled()); // nothing copied yet
    f->find<QAction>(u"mnuCopyCol"_s)->trigger();
    menu->hide();
    EXPECT_EQ(page->CopiedColumn(), 1);

    QTest::mouseClick(header->viewport(), Qt::RightButton, {}, overChannel1);
    ASSERT_TRUE(paste->isEnabled());
    paste->trigger();
    menu->hide();
    EXPECT_EQ(f->block().Schedule, before);
    EXPECT_EQ(f->block().Config.ColorName[1], 2);
    EXPECT_EQ(f->block().RequestFlags() & rqColumnEdit, rqColumnEdit);
    EXPECT_EQ(f->block().ScheduleRowDirty(), (std::vector<std::uint8_t>{1, 1, 1}));
    EXPECT_EQ(page->CopiedColumn(), 1); // the same column can be pasted again
}

TEST_F(WindowSchedule, RightClickOnALineNumberMakesItCurrentAtOnce) {
    f->giveScheduleRows(5);
    f->find<QTabWidget>(u"pc"_s)->setCurrentWidget(page);
    const QColor highlight = grid->palette().color(QPalette::Highlight);
    const auto shownAt = [&](int row) {
        return grid->viewport()->grab().toImage().pixelColor(
            grid->visualItemRect(grid->item(row, 0)).topLeft() + QPoint(1, 1));
    };
    EXPECT_NE(shownAt(3), highlight);

    QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, cellCenter(3, 0));
    EXPECT_EQ(f->block().Info.CurrentRow, 3);
    EXPECT_TRUE(f->block().IsRequested(rqSetInfoRow));
    EXPECT_EQ(shownAt(3), highlight);
    EXPECT_NE(shownAt(0), highlight);
}
