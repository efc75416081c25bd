// The file description logged for the program file and a chosen firmware file.
#include "file_info.h"
#include "language.h"

#include <QTemporaryDir>
#include <QTemporaryFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorvex;

namespace {

const QLocale GermanLocale(QLocale::German, QLocale::Germany);

class FileInfo : public ::testing::Test {
protected:
    void SetUp() override {
        LoadLanguageTable(Language::English);
        ASSERT_TRUE(file.open());
        file.write(QByteArray(1234, 'x'));
        file.flush();
        ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2026, 12, 7), QTime(5, 12, 0)),
                                     QFileDevice::FileModificationTime));
        file.close();
    }
    void TearDown() override { LoadLanguageTable(Language::English); }

    QTemporaryFile file;
};

} // namespace

TEST_F(FileInfo, PathDateTimeSizeAndUnit) {
    EXPECT_EQ(FileInfoText(file.fileName(), GermanLocale),
              file.fileName() + u" 07.12.26 05:12:00 1234 bytes"_s);
}

TEST_F(FileInfo, UnitFollowsTheLoadedTable) {
    LoadLanguageTable(Language::German);
    EXPECT_EQ(FileInfoText(file.fileName(), GermanLocale),
              file.fileName() + u" 07.12.26 05:12:00 1234 Bytes"_s);
}

TEST_F(FileInfo, NothingForMissingFilesOrDirectories) {
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());

    EXPECT_EQ(FileInfoText(directory.filePath(u"missing.zvx"_s)), QString());
    EXPECT_EQ(FileInfoText(directory.path()), QString());
    EXPECT_EQ(FileInfoText(QString()), QString());
}
