// The firmware file format as PackFirmwareImage writes it and as the zorvexpro-mkfirmware tool
// writes it.
#include "firmwarefile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zorvex;

TEST(FirmwareFile, PackedFileHoldsAddressesImageAndChecksumLittleEndian) {
    // first 0x100, last 0x102, checksum 0x100 + 0x102 + 1 + 2 + 0xFF = 0x304
    EXPECT_EQ(PackFirmwareImage(0x100, QByteArray::fromHex("0102FF")), QByteArray::fromHex("00010000"
                                                                                           "02010000"
                                                                                           "0102FF"
                                                                                           "04030000"));
    // Negative addresses and the sum wrap round modulo 2^32: -2 + -2 + 0xFB = 0xF7.
    EXPECT_EQ(PackFirmwareImage(-2, QByteArray::fromHex("FB")), QByteArray::fromHex("FEFFFFFF"
                                                                                    "FEFFFFFF"
                                                                                    "FB"
                                                                                    "F7000000"));
    // An empty image ends one address before it begins.
    EXPECT_EQ(PackFirmwareImage(0, {}), QByteArray::fromHex("00000000"
                                                            "FFFFFFFF"
                                                            "FFFFFFFF"));
}

TEST(FirmwareFile, TheToolPacksAnInputFileOrATestPattern) {
    QTemporaryDir dir;
    const QByteArray image = QByteArray::fromHex("DEADBEEF00112233");
    {
        QFile input(dir.filePath(QStringLiteral("image.bin")));
        ASSERT_TRUE(input.open(QIODevice::WriteOnly));
        input.write(image);
    }
    const QString packed = dir.filePath(QStringLiteral("packed.zvx"));
    ASSERT_EQ(QProcess::execute(QStringLiteral(ZORVEX_MKFIRMWARE_PATH),
                                {QStringLiteral("--base"), QStringLiteral("0x1F00"),
                                 dir.filePath(QStringLiteral("image.bin")), packed}),
              0);
    QFile output(packed);
    ASSERT_TRUE(output.open(QIODevice::ReadOnly));
    EXPECT_EQ(output.readAll(), PackFirmwareImage(0x1F00, image));

    const QString patterned = dir.filePath(QStringLiteral("pattern.zvx"));
    ASSERT_EQ(QProcess::execute(QStringLiteral(ZORVEX_MKFIRMWARE_PATH),
                                {QStringLiteral("--pattern"), QStringLiteral("4096"), patterned}),
              0);
    QFile pattern(patterned);
    ASSERT_TRUE(pattern.open(QIODevice::ReadOnly));
    const QByteArray file = pattern.readAll();
    ASSERT_EQ(file.size(), 4096 + 12);
    EXPECT_EQ(file, PackFirmwareImage(0, file.mid(8, 4096)));

    EXPECT_NE(QProcess::execute(QStringLiteral(ZORVEX_MKFIRMWARE_PATH),
                                {QStringLiteral("--base"), QStringLiteral("nonsense"), patterned}),
              0);
}
