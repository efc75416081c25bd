// Schedule cell texts, their parsing back into a row, and the commands over whole columns.
#include "schedulecells.h"
#include "scheduleedits.h"
#include "scheduletestdata.h"

#include <gtest/gtest.h>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale German(QLocale::German, QLocale::Germany);

// The cells of a line with `text` in one column and the other cells as `row` shows them.
QStringList CellsWith(const ScheduleRow& row, int column, const QString& text, bool altitude = false) {
    QStringList cells = ScheduleRowTexts(row, 0, altitude, English);
    cells[column] = text;
    return cells;
}

} // namespace

TEST(ScheduleCells, Texts) {
    const struct {
        QString shown;
        QString expected;
    } cases[] = {
        {ScheduleTimeText(12, 30), u"12:30"_s},
        {ScheduleTimeText(7, 5), u"07:05"_s},
        {ScheduleTimeText(24, 0), u"24:00"_s},
        {ScheduleTimeText(25, 70), u"25:70"_s},
        {ScheduleAltitudeText(10000, English), u"90"_s},
        {ScheduleAltitudeText(5000, English), u"30"_s},
        {ScheduleAltitudeText(-1234, German), u"-7,09"_s},
        {ScheduleAltitudeText(10001, English), u"0"_s},
        {ScheduleLevelText(2048, English), u"50"_s},
        {ScheduleLevelText(1, English), u"0.02"_s},
        {ScheduleLevelText(4096, English), u"100"_s},
        {ScheduleLevelText(512, German), u"12,5"_s},
        {SwitchText(true), u"ON"_s},
        {SwitchText(false), u"OFF"_s},
        {ToggledSwitchText(u"ON"_s), u"OFF"_s},
        {ToggledSwitchText(u"OFF"_s), u"ON"_s},
        {ToggledSwitchText(u"x"_s), u"ON"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.shown, c.expected);

    ScheduleRow row;
    row.Hour = 6;
    row.Color16 = {4096, 1, 0, 2048};
    row.Switch = 0x40 | 0x01;
    row.Timer = -3;
    EXPECT_EQ(ScheduleRowTexts(row, 4, false, English),
              (QStringList{u"4"_s, u"06:00"_s, u"100"_s, u"0.02"_s, u"0"_s, u"50"_s, u"OFF"_s, u"ON"_s,
                           u"OFF"_s, u"-3"_s}));
}

TEST(ScheduleCells, TextsBackToValues) {
    EXPECT_EQ(AltFromText(u"90"_s, English), 10000);
    EXPECT_EQ(AltFromText(u"30"_s, English), 5000);
    EXPECT_EQ(AltFromText(u"-7,09"_s, German), -1234);
    EXPECT_EQ(AltFromText(u"abc"_s, English), std::nullopt);
    EXPECT_EQ(LevelFromText(u"50"_s, English), 2048);
    EXPECT_EQ(LevelFromText(u"0.02"_s, English), 1);
    EXPECT_EQ(LevelFromText(u"200"_s, English), 8192);
    EXPECT_EQ(LevelFromText(u"1e300"_s, English), std::nullopt); // far beyond 16 bits
    EXPECT_EQ(LevelFromText(u"12.5"_s, German), std::nullopt);   // not the user's separator
}

TEST(ScheduleCells, EachFieldConvertsOnItsOwn) {
    ScheduleRow current;
    current.Hour = 8;
    current.Minute = 15;
    current.Alt = 777;
    current.Color16 = {10, 20, 30, 40};
    current.Timer = 5;
    current.Switch = 0x1F | 0x20;

    struct Case {
        int column;
        QString text;
        bool altitude;
        ScheduleRow expected;
    };
    const auto with = [&](auto change) {
        ScheduleRow row = current;
        change(row);
        return row;
    };
    const Case cases[] = {
        {1, u"25:70"_s, false, with([](ScheduleRow& r) { r.Hour = 25, r.Minute = 70; })},
        {1, u"7:5"_s, false, with([](ScheduleRow& r) { r.Hour = 7, r.Minute = 5; })},
        {1, u"30"_s, false, with([](ScheduleRow& r) { r.Minute = 30; })},
        {1, u":30"_s, false, with([](ScheduleRow& r) { r.Minute = 30; })},
        {1, u"9:"_s, false, with([](ScheduleRow& r) { r.Hour = 9; })},
        {1, u"300"_s, false, current}, // needs more than the field's 8 bits
        {1, u"x:y"_s, false, current},
        {1, u"30"_s, true, with([](ScheduleRow& r) { r.Alt = 5000; })},
        {1, u"12:30"_s, true, current}, // mode Geo never touches the time
        {3, u"50"_s, false, with([](ScheduleRow& r) { r.Color16[1] = 2048; })},
        {3, u""_s, false, current},
        {6, u"OFF"_s, false, with([](ScheduleRow& r) { r.Switch = 0x1F; })},
        {7, u"on"_s, false, with([](ScheduleRow& r) { r.Switch = 0x1F | 0x20 | 0x40; })},
        {8, u""_s, false, with([](ScheduleRow& r) { r.Switch = 0x1F | 0x20 | 0x80; })},
        {9, u"-300"_s, false, with([](ScheduleRow& r) { r.Timer = -300; })},
        {9, u"70000"_s, false, current},
    };
    for (const Case& c : cases) {
        const QStringList cells = CellsWith(current, c.column, c.text, c.altitude);
        EXPECT_EQ(ParseScheduleRowTexts(cells, current, c.altitude, English), c.expected)
            << c.column << " " << c.text.toStdString();
    }
}

TEST(ScheduleCells, TypingTwelveThirtyPassesThroughEveryState) {
    ScheduleRow row;
    row.Hour = 3;
    row.Minute = 4;
    const std::pair<int, int> states[] = {{3, 1}, {3, 12}, {12, 12}, {12, 3}, {12, 30}};
    QString typed;
    for (int i = 0; i < 5; ++i) {
        typed += u"12:30"_s.at(i);
        row = ParseScheduleRowTexts(CellsWith(row, 1, typed), row, false, English);
        EXPECT_EQ(std::pair(int{row.Hour}, int{row.Minute}), states[i]) << typed.toStdString();
    }
}

TEST(ScheduleCells, StoringALineMarksItForUpload) {
    SharedBlock block;
    test::GiveRows(block, 3);
    EXPECT_TRUE(StoreScheduleRowTexts(block, 1, CellsWith({}, 9, u"42"_s), English));
    EXPECT_EQ(block.Schedule[1].Timer, 42);
    EXPECT_EQ(block.ScheduleRowDirty(), (std::vector<std::uint8_t>{0, 1, 0}));
    EXPECT_TRUE(block.IsRequested(rqSetSchedule));

    SharedBlock empty;
    EXPECT_FALSE(StoreScheduleRowTexts(empty, 0, CellsWith({}, 9, u"42"_s), English));
    EXPECT_FALSE(StoreScheduleRowTexts(block, 3, CellsWith({}, 9, u"42"_s), English));
    EXPECT_FALSE(empty.IsRequested(rqSetSchedule));
}

TEST(ScheduleColumns, PasteAndSwapChangeNamesAndLevelsAndMarkEverything) {
    const auto prepared = [] {
        auto block = std::make_unique<SharedBlock>();
        test::GiveRows(*block, 2);
        block->Config.ColorName = {1, 2, 3, 4};
        block->Schedule[0].Color16 = {10, 11, 12, 13};
        block->Schedule[1].Color16 = {20, 21, 22, 23};
        return block;
    };
    auto paste = prepared();
    EXPECT_TRUE(PasteScheduleColumn(*paste, 0, 2));
    EXPECT_EQ(paste->Config.ColorName, (std::array<std::uint8_t, 4>{1, 2, 1, 4}));
    EXPECT_EQ(paste->Schedule[1].Color16, (std::array<std::int16_t, 4>{20, 21, 20, 23}));
    EXPECT_EQ(paste->RequestFlags(), rqColumnEdit);
    EXPECT_EQ(paste->ScheduleRowDirty(), (std::vector<std::uint8_t>{1, 1}));

    auto swap = prepared();
    EXPECT_TRUE(SwapScheduleColumns(*swap, 3, 1));
    EXPECT_EQ(swap->Config.ColorName, (std::array<std::uint8_t, 4>{1, 4, 3, 2}));
    EXPECT_EQ(swap->Schedule[0].Color16, (std::array<std::int16_t, 4>{10, 13, 12, 11}));

    auto onto = prepared();
    EXPECT_TRUE(PasteScheduleColumn(*onto, 1, 1));
    EXPECT_EQ(onto->Schedule[0].Color16, (std::array<std::int16_t, 4>{10, 11, 12, 13}));
    EXPECT_EQ(onto->RequestFlags(), rqColumnEdit);
    EXPECT_EQ(onto->ScheduleRowDirty(), (std::vector<std::uint8_t>{1, 1}));

    auto outside = prepared();
    EXPECT_FALSE(PasteScheduleColumn(*outside, 0, 4));
    EXPECT_FALSE(SwapScheduleColumns(*outside, -1, 0));
    EXPECT_EQ(outside->RequestFlags(), 0u);
}

TEST(ScheduleColumns, CurrentRowIsSentToTheDevice) {
    SharedBlock block;
    test::GiveRows(block, 5);
    EXPECT_TRUE(SetCurrentScheduleRow(block, 3));
    EXPECT_EQ(block.Info.CurrentRow, 3);
    EXPECT_EQ(block.RequestFlags(), rqSetInfoRow);
    EXPECT_FALSE(SetCurrentScheduleRow(block, 5));
    EXPECT_EQ(block.Info.CurrentRow, 3);
}
