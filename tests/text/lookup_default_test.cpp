// A message looked up before any table was chosen: the process starts with the English table.
#include "language.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorvex;

TEST(LookupBeforeLoading, UsesTheEnglishTable) {
    EXPECT_EQ(CurrentLanguage(), Language::English);
    EXPECT_EQ(LookupMessage(u"NoData"_s), u"No data."_s);
    EXPECT_EQ(CurrentLanguageTable().keys(u"Messages"_s).size(), 127);
}
