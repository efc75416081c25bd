// The order-keeping INI document behind the configuration file.
#include "inidocument.h"
#include "scheduletestdata.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

using namespace zorvex;
using namespace Qt::StringLiterals;

TEST(IniDocument, ReadingRules) {
    const IniDocument document = IniDocument::Parse(u"Before=1\r\n"
                                                    u"[ Config ]\r\n"
                                                    u"  Mode = 2  \r\n"
                                                    u"; Mode=3\r\n"
                                                    u"\r\n"
                                                    u"MODE=4\n"
                                                    u"Text=a=b\n"
                                                    u"no entry\n"
                                                    u"[other]\n"
                                                    u"Mode=5\n"
                                                    u"[CONFIG]\n"
                                                    u"Flag=6\n"
                                                    u"Mode=7\n"_s);
    const struct {
        QString section;
        QString key;
        std::optional<QString> value;
    } cases[] = {
        {u"Config"_s, u"Mode"_s, u"2"_s}, // trimmed, first occurrence wins, comment skipped
        {u"config"_s, u"mode"_s, u"2"_s}, // names without regard to case
        {u"Config"_s, u"Text"_s, u"a=b"_s},
        {u"Config"_s, u"Flag"_s, u"6"_s}, // a repeated section continues the search
        {u"Other"_s, u"Mode"_s, u"5"_s},
        {u"Config"_s, u"Before"_s, std::nullopt},
        {u"Config"_s, u"no entry"_s, std::nullopt},
        {u"Missing"_s, u"Mode"_s, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(document.Value(c.section, c.key), c.value)
            << c.section.toStdString() << c.key.toStdString();
    EXPECT_EQ(document.Sections(), (QStringList{u"Config"_s, u"other"_s, u"CONFIG"_s}));
}

TEST(IniDocument, WritingKeepsOrderAndUnknownEntries) {
    IniDocument document = IniDocument::Parse(u"; mine\n[B]\nx=1\nmode=1\n[A]\ny=2\n"_s);
    document.SetValue(u"b"_s, u"Mode"_s, u"9"_s);
    document.SetValue(u"A"_s, u"z"_s, u"3"_s);
    document.SetValue(u"C"_s, u"w"_s, u"4"_s);
    EXPECT_EQ(document.ToText(),
              u"[B]\r\nx=1\r\nMode=9\r\n\r\n[A]\r\ny=2\r\nz=3\r\n\r\n[C]\r\nw=4\r\n\r\n"_s);
}

TEST(IniDocument, NotAnIniFileHasNoEntries) {
    const IniDocument document = IniDocument::Parse(u"\x01\x02 binary = junk\nPNG\n"_s);
    EXPECT_TRUE(document.Sections().isEmpty());
    EXPECT_EQ(document.ToText(), QString());
}

TEST(IniDocument, AFailedSaveLeavesTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"config.ini"_s);
    ASSERT_TRUE(test::WriteText(path, u"[Old]\r\nKey=1\r\n\r\n"_s));
    IniDocument document;
    for (int i = 0; i < 100; ++i)
        document.SetValue(u"New"_s, u"Key"_s + QString::number(i), u"value"_s);

    // Writes beyond 64 bytes fail for this process while the limit holds.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &limited);
    const FileResult result = document.Save(path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(test::ReadText(path), u"[Old]\r\nKey=1\r\n\r\n"_s);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"config.ini"_s}); // no leftovers

    EXPECT_TRUE(document.Save(path).ok);
    EXPECT_EQ(IniDocument::Read(path)->Value(u"New"_s, u"Key99"_s), u"value"_s);
}

TEST(IniDocument, ReadingAMissingFileReportsTheSystemsText) {
    QString error;
    EXPECT_FALSE(IniDocument::Read(u"/nonexistent/config.ini"_s, &error).has_value());
    EXPECT_FALSE(error.isEmpty());
    const FileResult result = IniDocument().Save(u"/nonexistent/config.ini"_s);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());
}
