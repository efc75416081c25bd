// Time-stamped lines of the message log.
#include "log_format.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorvex;

namespace {

const QDateTime Moment(QDate(2026, 12, 7), QTime(5, 12, 0));
const QLocale GermanLocale(QLocale::German, QLocale::Germany);

} // namespace

TEST(LogDateTime, ShortDateAndLongTimeOfTheLocaleWithoutTimeZone) {
    EXPECT_EQ(FormatLogDateTime(Moment, GermanLocale), u"07.12.26 05:12:00"_s);
    EXPECT_EQ(FormatLogDateTime(Moment, QLocale(QLocale::English, QLocale::UnitedStates)),
              u"12/7/26 5:12:00 AM"_s);
}

TEST(LogLines, OneLinePerLineOfTheMessageEachWithTheSamePrefix) {
    EXPECT_EQ(FormatLogLines(Moment, u"Connected to ttyUSB0"_s, GermanLocale),
              QStringList{u"[07.12.26 05:12:00] Connected to ttyUSB0"_s});
    EXPECT_EQ(FormatLogLines(Moment, u"Scan finished.\r\nThe pairing code is always 7451"_s, GermanLocale),
              (QStringList{u"[07.12.26 05:12:00] Scan finished."_s,
                           u"[07.12.26 05:12:00] The pairing code is always 7451"_s}));
}

TEST(LogLines, LoneLineFeedsAndCarriageReturnsAlsoBreakLines) {
    const QStringList expected{u"[07.12.26 05:12:00] first"_s, u"[07.12.26 05:12:00] second"_s};
    EXPECT_EQ(FormatLogLines(Moment, u"first\nsecond"_s, GermanLocale), expected);
    EXPECT_EQ(FormatLogLines(Moment, u"first\rsecond"_s, GermanLocale), expected);
}

TEST(LogLines, EmptyMessagesAndEmptyLinesKeepTheirPrefix) {
    EXPECT_EQ(FormatLogLines(Moment, QString(), GermanLocale), QStringList{u"[07.12.26 05:12:00] "_s});
    EXPECT_EQ(FormatLogLines(Moment, u"a\r\n\r\nb\r\n"_s, GermanLocale),
              (QStringList{u"[07.12.26 05:12:00] a"_s, u"[07.12.26 05:12:00] "_s, u"[07.12.26 05:12:00] b"_s,
                           u"[07.12.26 05:12:00] "_s}));
}
