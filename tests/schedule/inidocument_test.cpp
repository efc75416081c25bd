// The order-keeping INI document behind the configuration file.
#include "inidocument.h"
#include "scheduletestdata.h"

#include <QFileInfo>
#include <QStringEncoder>
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
    // The comment and the file's LF line ends stay; new keys follow their section's last entry.
    EXPECT_EQ(document.ToText(), u"; mine\n[B]\nx=1\nMode=9\n[A]\ny=2\nz=3\n[C]\nw=4\n\n"_s);
    EXPECT_EQ(IniDocument().ToText(), QString());
}

TEST(IniDocument, NotAnIniFileHasNoEntries) {
    const IniDocument document = IniDocument::Parse(u"\x01\x02 binary = junk\nPNG\n"_s);
    EXPECT_TRUE(document.Sections().isEmpty());
    EXPECT_EQ(document.ToText(), u"\x01\x02 binary = junk\nPNG\n"_s); // kept as it is
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

TEST(IniDocument, WritingKeepsEveryEncodingAndLineEndByteForByte) {
    enum class Encoding { Latin1, Utf8, Utf8Bom, Utf16LE, Utf16LEBom, Utf16BEBom };
    const auto encode = [](const QString& text, Encoding encoding) {
        const auto utf16 = [&](QStringEncoder::Encoding kind, bool bom) {
            QStringEncoder encoder(kind,
                                   bom ? QStringEncoder::Flag::WriteBom : QStringEncoder::Flag::Default);
            return QByteArray(encoder.encode(text));
        };
        switch (encoding) {
        case Encoding::Latin1:
            return text.toLatin1();
        case Encoding::Utf8:
            return text.toUtf8();
        case Encoding::Utf8Bom:
            return "\xEF\xBB\xBF" + text.toUtf8();
        case Encoding::Utf16LE:
            return utf16(QStringEncoder::Utf16LE, false);
        case Encoding::Utf16LEBom:
            return utf16(QStringEncoder::Utf16LE, true);
        case Encoding::Utf16BEBom:
            break;
        }
        return utf16(QStringEncoder::Utf16BE, true);
    };
    const QStringList before{u"; K\u00fcche"_s, u"[Config]"_s, u"Mode=1"_s,
                             QString(),         u"[Keep]"_s,   u"Name=Gr\u00fcn"_s};
    const QStringList after{u"; K\u00fcche"_s, u"[Config]"_s,       u"Mode=2"_s, u"Fan=5"_s, QString(),
                            u"[Keep]"_s,       u"Name=Gr\u00fcn"_s, u"[New]"_s,  u"Key=1"_s, QString()};
    const struct {
        Encoding encoding;
        QString lineEnd;
    } cases[] = {
        {Encoding::Latin1, u"\r\n"_s}, {Encoding::Utf8, u"\r\n"_s},       {Encoding::Utf8, u"\n"_s},
        {Encoding::Utf8, u"\r"_s},     {Encoding::Utf8Bom, u"\r"_s},      {Encoding::Utf16LEBom, u"\r\n"_s},
        {Encoding::Utf16LE, u"\n"_s},  {Encoding::Utf16BEBom, u"\r\n"_s},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(u"config.ini"_s);
    for (const auto& c : cases) {
        const std::string context = std::to_string(int(c.encoding)) + " " + c.lineEnd.toStdString();
        const auto text = [&](const QStringList& lines) {
            return encode(lines.join(c.lineEnd) + c.lineEnd, c.encoding);
        };
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text(before));
        file.close();

        std::optional<IniDocument> document = IniDocument::Read(path);
        ASSERT_TRUE(document.has_value()) << context;
        EXPECT_EQ(document->Value(u"config"_s, u"mode"_s), u"1"_s) << context;
        EXPECT_EQ(document->Value(u"Keep"_s, u"Name"_s), u"Gr\u00fcn"_s) << context;
        document->SetValue(u"Config"_s, u"Mode"_s, u"2"_s);
        document->SetValue(u"Config"_s, u"Fan"_s, u"5"_s);
        document->SetValue(u"New"_s, u"Key"_s, u"1"_s);
        ASSERT_TRUE(document->Save(path)) << context;
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), text(after)) << context;
        file.close();
        EXPECT_EQ(IniDocument::Read(path)->Value(u"New"_s, u"Key"_s), u"1"_s) << context;
    }
}

TEST(IniDocument, AFileOverOneMebibyteIsRefused) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"big.ini"_s);
    QByteArray text = "[0]\r\nHour=7\r\n";
    text += QByteArray(IniDocument::MaxFileSize - text.size(), ';');
    ASSERT_TRUE(test::WriteText(path, QString::fromLatin1(text)));
    EXPECT_EQ(IniDocument::Read(path)->Value(u"0"_s, u"Hour"_s), u"7"_s); // exactly 1 MiB

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(";");
    file.close();
    QString error;
    EXPECT_FALSE(IniDocument::Read(path, &error).has_value());
    EXPECT_TRUE(error.contains(u"1 MiB"_s)) << error.toStdString();
    // Nor is it replaced by an export.
    EXPECT_FALSE(IniDocument::ReadForUpdate(path, &error).has_value());
    EXPECT_EQ(QFileInfo(path).size(), IniDocument::MaxFileSize + 1);
}
