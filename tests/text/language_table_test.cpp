// The INI reader behind the translation tables.
#include "language_table.h"

#include <QTemporaryFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using zorvex::LanguageTable;

TEST(LanguageTable, KeepsSectionAndKeyOrderAndExactValues) {
    const LanguageTable table = LanguageTable::parse(u"orphan=before any section\r\n"
                                                     u"[Messages]\r\n"
                                                     u"\r\n"
                                                     u"Zeta=last letter\r\n"
                                                     u"Alpha=System is  standby \r\n"
                                                     u"   \r\n"
                                                     u"Equation=a=b\n"
                                                     u"no entry on this line\n"
                                                     u"Empty=\n"
                                                     u"[frmZORVEX]\n"
                                                     u"mem.Caption=line one\\nline two\n"
                                                     u"btnOn0.Caption=ON"_s);

    EXPECT_EQ(table.sections(), (QStringList{u"Messages"_s, u"frmZORVEX"_s}));
    EXPECT_EQ(table.keys(u"Messages"_s), (QStringList{u"Zeta"_s, u"Alpha"_s, u"Equation"_s, u"Empty"_s}));
    EXPECT_EQ(table.keys(u"frmZORVEX"_s), (QStringList{u"mem.Caption"_s, u"btnOn0.Caption"_s}));
    EXPECT_EQ(table.value(u"Messages"_s, u"Alpha"_s), u"System is  standby "_s);
    EXPECT_EQ(table.value(u"Messages"_s, u"Equation"_s), u"a=b"_s);
    EXPECT_EQ(table.value(u"frmZORVEX"_s, u"mem.Caption"_s), u"line one\\nline two"_s);
    EXPECT_EQ(table.value(u"frmZORVEX"_s, u"btnOn0.Caption"_s), u"ON"_s);
    EXPECT_TRUE(table.contains(u"Messages"_s, u"Empty"_s));
    EXPECT_EQ(table.value(u"Messages"_s, u"Empty"_s, u"fallback"_s), QString());
}

TEST(LanguageTable, MissingEntriesGiveTheFallback) {
    const LanguageTable table = LanguageTable::parse(u"[Messages]\nDone=Done.\n"_s);

    EXPECT_EQ(table.value(u"Messages"_s, u"Unknown"_s, u"Unknown"_s), u"Unknown"_s);
    EXPECT_EQ(table.value(u"Other"_s, u"Done"_s, u"x"_s), u"x"_s);
    EXPECT_FALSE(table.contains(u"Messages"_s, u"Unknown"_s));
    EXPECT_TRUE(table.keys(u"Other"_s).isEmpty());
}

TEST(LanguageTable, FirstEntryOfAKeyWinsAndAReopenedSectionContinues) {
    const LanguageTable table = LanguageTable::parse(u"[A]\nk=first\n[B]\nx=1\n[ A ]\nk=second\nm=more\n"_s);

    EXPECT_EQ(table.sections(), (QStringList{u"A"_s, u"B"_s}));
    EXPECT_EQ(table.keys(u"A"_s), (QStringList{u"k"_s, u"m"_s}));
    EXPECT_EQ(table.value(u"A"_s, u"k"_s), u"first"_s);
}

TEST(LanguageTable, ReadsUtf8FilesWithOrWithoutByteOrderMark) {
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    file.write("\xEF\xBB\xBF[Messages]\nColorGreen=Gr\xC3\xBCn\n");
    file.close();

    const LanguageTable table = LanguageTable::fromFile(file.fileName());

    EXPECT_EQ(table.sections(), QStringList{u"Messages"_s});
    EXPECT_EQ(table.value(u"Messages"_s, u"ColorGreen"_s), u"Gr\u00fcn"_s);
}

TEST(LanguageTable, UnreadableFileGivesAnEmptyTable) {
    const LanguageTable table = LanguageTable::fromFile(u"/nonexistent/zorvex/en.ini"_s);

    EXPECT_TRUE(table.sections().isEmpty());
    EXPECT_EQ(table.value(u"Messages"_s, u"NoData"_s, u"NoData"_s), u"NoData"_s);
}
