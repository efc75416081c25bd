// The bootloader personality: identity, BootInfo, 64-byte block writes into the flash image,
// the reset back into the application, and the image file.

#include "simulatorharness.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <numeric>
#include <vector>

namespace zorvex::devsim::test {
namespace {

// "02" + address (little-endian) + 64 bytes first, first + 1, ...
std::string blockLine(const std::string& addressHex, int first) {
    std::string line = "02" + addressHex;
    for (int i = 0; i < 64; ++i) {
        const int b = (first + i) & 0xFF;
        line += "0123456789ABCDEF"[b >> 4];
        line += "0123456789ABCDEF"[b & 15];
    }
    return line;
}

TEST(DevsimBootloader, StartBootloaderFlashAndReset) {
    SimulatorHarness h;
    EXPECT_EQ(h.send("7F00"), ""); // the raw line gets no reply
    EXPECT_EQ(h.send("80"), "800201\n");
    EXPECT_EQ(h.send("81"), "81800000800000\n"); // page 128, flash 32768
    EXPECT_EQ(h.send("82"), "");                 // application records are gone

    EXPECT_EQ(h.send(blockLine("C01F", 0x10)), Ack); // address 0x1FC0
    EXPECT_EQ(h.send(blockLine("0000", 0xF0)), Ack);
    const auto& image = h.simulator.bootloader().image();
    ASSERT_EQ(image.size(), 65536u);
    for (std::size_t i = 0; i < 64; ++i) {
        EXPECT_EQ(image[0x1FC0 + i], (0x10 + i) & 0xFF);
        EXPECT_EQ(image[i], (0xF0 + i) & 0xFF);
    }
    EXPECT_EQ(image[0x1FBF], 0);
    EXPECT_EQ(image[0x2000], 0);
    EXPECT_EQ(std::accumulate(image.begin() + 64, image.begin() + 0x1FC0, 0), 0);

    EXPECT_EQ(h.send("01"
                     "C01F10111213"),
              Ack);
    EXPECT_EQ(h.send("80"), "800304\n");
}

TEST(DevsimBootloader, MalformedBootloaderLinesAreIgnored) {
    SimulatorHarness h;
    h.simulator.enterBootloader();
    std::string shortBlock = blockLine("0000", 1);
    shortBlock.resize(shortBlock.size() - 2);
    for (const std::string& line :
         {shortBlock, std::string("01C01F101112"), std::string("8100"), std::string("7F01")})
        EXPECT_EQ(h.send(line), "") << line;
    EXPECT_TRUE(std::all_of(h.simulator.bootloader().image().begin(), h.simulator.bootloader().image().end(),
                            [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(h.send("80"), "800201\n"); // still in the bootloader
}

TEST(DevsimBootloader, SizesAndVersionAreSelectable) {
    SimulatorHarness h;
    h.simulator.enterBootloader();
    h.simulator.bootloader().setPageSize(64);
    h.simulator.bootloader().setFlashSize(0x00012345);
    h.simulator.bootloader().setVersion(7);
    EXPECT_EQ(h.send("80"), "800207\n");
    EXPECT_EQ(h.send("81"), "81400045230100\n");
}

TEST(DevsimBootloader, FlashingRestoresApplicationDefaultsButAPlainResetDoesNot) {
    SimulatorHarness h;
    const std::string config = "00000000000000000000000000000000000000000000"
                               "07";
    EXPECT_EQ(h.send("02" + config), Ack);
    h.send("7F00");
    h.send("01000000000000");
    EXPECT_EQ(h.send("82"), "82" + config + "\n");

    h.send("7F00");
    h.send(blockLine("0001", 0));
    h.send("01000000000000");
    EXPECT_EQ(h.send("82"), "8201001E500A6401010203046400580214008403F5015500\n");
}

TEST(DevsimBootloader, ImageFileMirrorsTheImage) {
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("flash.bin"));
    SimulatorHarness h;
    h.simulator.bootloader().setImageFile(path.toStdString());
    h.simulator.enterBootloader();
    h.send(blockLine("4000", 0x80)); // address 0x0040
    h.send(blockLine("FF7F", 0x00)); // address 0x7FFF, crossing into 0x8000

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const auto& image = h.simulator.bootloader().image();
    ASSERT_EQ(bytes.size(), 65536);
    EXPECT_TRUE(
        std::equal(image.begin(), image.end(), reinterpret_cast<const std::uint8_t*>(bytes.constData())));
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[0x40]), 0x80);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[0x8000]), 0x01);
}

} // namespace
} // namespace zorvex::devsim::test
