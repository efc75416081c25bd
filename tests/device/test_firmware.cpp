// The firmware update through the communication thread: the device simulator plays the
// bootloader on a real pseudo-terminal, the files are made with PackFirmwareImage, and the
// simulator's flash image is compared with what the file held.
#include "comthreadtest.h"
#include "firmwarefile.h"
#include "language.h"
#include "requestflags.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {

QByteArray pattern(qsizetype size, int seed = 0) {
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 64 + seed) & 0xFF);
    return bytes;
}

QString hexBytes(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex().toUpper());
}

class Firmware : public ComThreadTest {
protected:
    // The counts of block writes below hold only if no acknowledgement is late: a loaded machine
    // running the sanitizers may take longer than the fixture's one second for one; the program
    // itself waits five.
    Firmware() { timing.serialTimeoutMs = 5000; }
    QString writeFile(const QString& name, const QByteArray& contents) {
        const QString path = files.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
        return path;
    }
    QString packFile(const QString& name, std::int32_t first, const QByteArray& image) {
        return writeFile(name, PackFirmwareImage(first, image));
    }

    // The simulator in its bootloader, the thread connected to it; the poll then starts the
    // update, which takes its files from view.firmwareChoices.
    void connectToBootloader(const QStringList& arguments = {}, bool debugMode = false) {
        ASSERT_TRUE(
            startSimulator(QStringList{u"--bootloader"_s, u"--flash-image"_s, flashPath()} + arguments));
        startThread(sim.linkPath(), debugMode);
        ASSERT_TRUE(waitForCall(status(bootloaderOn()))) << dumpCalls().toStdString();
    }
    bool waitForFinalStatus() {
        return waitFor([&] { return countCalls(succeeded()) + countCalls(failed()) > 0; });
    }

    QByteArray flashImage() const {
        QFile file(flashPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString flashPath() const { return files.filePath(u"flash.bin"_s); }
    QStringList blockWrites() {
        collectTrace();
        return requests().filter(QRegularExpression(u"^02"_s));
    }
    qsizetype progressLines() const {
        return view.calls.filter(QRegularExpression(u"^message: 0x[0-9A-F]{4} \\(\\d+ %\\)$"_s)).size();
    }

    QString bootloaderOn() const {
        return LookupMessageFmt(u"ConnectedToBootloaderOn"_s, {u"ZORVEXPRO"_s, sim.linkPath()});
    }
    QString applicationOn() const {
        return LookupMessageFmt(u"ConnectedToOn"_s, {u"ZORVEXPRO 1.x.4"_s, sim.linkPath()});
    }
    static QString starting(int bytes) {
        return status(LookupMessageFmt(u"StartingFirmwareUpdate"_s, {QString::number(bytes)}));
    }
    static QString succeeded() { return status(LookupMessage(u"FirmwareUpdateSuccessful"_s)); }
    static QString failed() { return status(LookupMessage(u"FirmwareUpdateFailed"_s)); }

    QTemporaryDir files;
};

} // namespace

TEST_F(Firmware, AnImageFromZeroTo1FFFGoesOutIn128BlocksAndLandsInTheFlash) {
    const QByteArray image = pattern(0x2000);
    view.firmwareChoices << packFile(u"ZORVEXPRO1x4.zvx"_s, 0, image);
    connectToBootloader();
    ASSERT_TRUE(waitForFinalStatus()) << dumpCalls().toStdString();

    EXPECT_TRUE(callsInOrder({u"ChooseFirmwareFile"_s, message(u"Flash size: 8191 / 31744 bytes"_s),
                              starting(8192), u"progress: 0/8192"_s, message(u"0x0000 (0 %)"_s),
                              message(u"0x1F80 (98 %)"_s), u"progress: 8128/8192"_s,
                              message(u"0x1FC0 (99 %)"_s), message(u"Resetting..."_s), succeeded()}));
    EXPECT_EQ(blockWrites().size(), 128);
    EXPECT_EQ(progressLines(), 128);
    EXPECT_EQ(countCallsStartingWith(u"progress: "_s), 128);

    const QByteArray flash = flashImage();
    ASSERT_EQ(flash.size(), 65536);
    EXPECT_EQ(flash.left(0x2000), image);
    EXPECT_EQ(flash.mid(0x2000), QByteArray(65536 - 0x2000, '\0'));
    // The reset carries the last block's address and its first four bytes.
    EXPECT_TRUE(requests().contains(u"01C01F"_s + hexBytes(image.mid(0x1FC0, 4))))
        << requests().join(u' ').toStdString();
    // The reset brought the application back; it is identified and read again.
    ASSERT_TRUE(waitForCall(status(applicationOn())));
    EXPECT_FALSE(shared->IsRequested(rqFirmwareUpdate));
}

TEST_F(Firmware, OneByteBeyondAWholePageAddsAPageOfZerosAndDebugModeShowsTheChecksum) {
    const QByteArray image = pattern(0x2001, 3);
    view.firmwareChoices << packFile(u"ZORVEXPRO1x4.zvx"_s, 0, image);
    connectToBootloader({}, true);
    ASSERT_TRUE(waitForFinalStatus()) << dumpCalls().toStdString();

    const auto sum = static_cast<std::int32_t>(FirmwareChecksum(0, 0x2000, image));
    EXPECT_TRUE(callsInOrder({message(u"Checksum: "_s + QString::number(sum)), starting(8320), succeeded()}));
    EXPECT_EQ(blockWrites().size(), 130);
    const QByteArray flash = flashImage();
    EXPECT_EQ(flash.left(0x2001), image);
    EXPECT_EQ(flash.mid(0x2001, 0x7F), QByteArray(0x7F, '\0')) << "the last block carries zeros after 0x2000";
}

class FirmwarePages : public Firmware, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(FirmwarePages, BlocksAreAlignedToThePageButNeverToLessThan128Bytes) {
    const auto [pageSize, alignedTotal] = GetParam();
    // 64 bytes at 0x1010: the aligned range starts at 0x1000.
    const QByteArray image = pattern(64, 5);
    view.firmwareChoices << packFile(u"small.zvx"_s, 0x1010, image);
    connectToBootloader({u"--page-size"_s, QString::number(pageSize)});
    ASSERT_TRUE(waitForFinalStatus()) << dumpCalls().toStdString();

    EXPECT_TRUE(callsInOrder({starting(alignedTotal), message(u"0x1000 (0 %)"_s), succeeded()}));
    const QStringList blocks = blockWrites();
    ASSERT_EQ(blocks.size(), alignedTotal / 64);
    EXPECT_TRUE(blocks.first().startsWith(u"020010"_s)) << "first block at 0x1000, little-endian";
    const QByteArray flash = flashImage();
    EXPECT_EQ(flash.mid(0x1000, 0x10), QByteArray(0x10, '\0'));
    EXPECT_EQ(flash.mid(0x1010, 64), image);
}

INSTANTIATE_TEST_SUITE_P(PageSizes, FirmwarePages,
                         ::testing::Values(std::pair{32, 128}, std::pair{128, 128}, std::pair{256, 256}));

TEST_F(Firmware, TheTopKilobyteBelongsToTheBootloader) {
    const QString tooBig = packFile(u"toobig.zvx"_s, 0, pattern(31745));
    const QString fits = packFile(u"fits.zvx"_s, 0, pattern(31744, 9));
    view.firmwareChoices << tooBig << fits;
    connectToBootloader({u"--flash-size"_s, u"32768"_s});
    ASSERT_TRUE(waitForFinalStatus()) << dumpCalls().toStdString();

    EXPECT_TRUE(callsInOrder({u"ChooseFirmwareFile"_s, message(u"Flash size: 31744 / 31744 bytes"_s),
                              status(u"Error: File is 1 bytes too big!"_s), u"ChooseFirmwareFile"_s,
                              message(u"Flash size: 31743 / 31744 bytes"_s), starting(31744), succeeded()}));
    EXPECT_EQ(blockWrites().size(), 31744 / 64);
    EXPECT_EQ(flashImage().left(31744), pattern(31744, 9));
}

TEST_F(Firmware, PageAlignmentBeyond64KiBEndsTheTransferAt0x10000InsteadOfWrappingToZero) {
    const QByteArray image = pattern(65501, 5);
    view.firmwareChoices << packFile(u"ZORVEXPRO1x4.zvx"_s, 0, image);
    connectToBootloader({u"--page-size"_s, u"130"_s, u"--flash-size"_s, u"131072"_s});
    ASSERT_TRUE(waitForFinalStatus()) << dumpCalls().toStdString();

    EXPECT_TRUE(callsInOrder({starting(65536), message(u"0xFFC0 (100 %)"_s), succeeded()}));
    EXPECT_EQ(blockWrites().size(), 1024);
    EXPECT_EQ(progressLines(), 1024);
    EXPECT_EQ(flashImage().left(65501), image);
}

TEST_F(Firmware, UnusableFilesAreRefusedWithTheirReasonAndACancelledDialogSendsTheReset) {
    const QByteArray image = pattern(32);
    const QByteArray good = PackFirmwareImage(0x100, image);
    const auto sum = static_cast<std::int32_t>(FirmwareChecksum(0x100, 0x11F, image));
    QByteArray badChecksum = good;
    badChecksum[badChecksum.size() - 4] = static_cast<char>(badChecksum[badChecksum.size() - 4] + 1);

    const QStringList choices{
        packFile(u"onebyte.zvx"_s, 0x100, QByteArray(1, '\x5A')),
        writeFile(u"badsum.zvx"_s, badChecksum),
        writeFile(u"nosum.zvx"_s, good.chopped(4)),
        packFile(u"negative.zvx"_s, -16, image),
        packFile(u"pastend.zvx"_s, 65520, image),
        writeFile(u"toolong.zvx"_s, good + QByteArray(65536, '\0')),
        files.filePath(u"missing.zvx"_s),
    };
    view.firmwareChoices = choices.mid(0, 6);
    connectToBootloader();
    // The seventh choice names no file: that is a cancelled dialog.
    ASSERT_TRUE(waitForCall(message(u"Resetting..."_s))) << dumpCalls().toStdString();
    ASSERT_TRUE(waitForCall(status(applicationOn()))) << dumpCalls().toStdString();

    const QString parsing = status(u"Error while parsing!"_s);
    EXPECT_TRUE(callsInOrder({
        status(u"Error: File does not contain data!"_s),
        status(u"Checksum error in file (%1 != %2)!"_s.arg(sum + 1).arg(sum)),
        status(u"Checksum error in file (0 != %1)!"_s.arg(sum)),
        parsing,
        parsing,
        u"ChooseFirmwareFile"_s,
        message(u"Resetting..."_s),
        status(applicationOn()),
    }));
    // Each file is described before it is read; the oversized one gets nothing more.
    for (const QString& path : choices.mid(0, 6))
        EXPECT_EQ(countCallsStartingWith(u"message: "_s + path + u' '), 1) << path.toStdString();
    const auto tooLong = std::find_if(view.calls.cbegin(), view.calls.cend(), [&](const QString& call) {
        return call.startsWith(u"message: "_s + choices[5] + u' ');
    });
    ASSERT_NE(tooLong, view.calls.cend());
    EXPECT_EQ(*(tooLong + 1), u"ChooseFirmwareFile"_s) << "the oversized file is refused without a message";
    EXPECT_EQ(countCalls(u"ChooseFirmwareFile"_s), 7);

    EXPECT_EQ(countCallsStartingWith(u"status: Starting firmware update"_s), 0);
    EXPECT_TRUE(blockWrites().isEmpty());
    EXPECT_TRUE(requests().contains(u"01000000000000"_s)) << "the reset of a cancelled dialog carries zeros";
    EXPECT_EQ(flashImage(), QByteArray(65536, '\0')) << "nothing of a refused file reached the flash";
}

TEST_F(Firmware, BlocksThatAreNeverAcknowledgedFailTheUpdateButNotTheTransfer) {
    timing.serialTimeoutMs = 200;
    view.firmwareChoices << packFile(u"ZORVEXPRO1x4.zvx"_s, 0, pattern(128));
    connectToBootloader();
    ASSERT_TRUE(sim.command(u"drop-acks 10"_s));
    ASSERT_TRUE(waitForFinalStatus()) << dumpCalls().toStdString();

    EXPECT_TRUE(callsInOrder({starting(128), message(u"0x0000 (0 %)"_s), message(u"Transmission error!"_s),
                              message(u"0x0040 (50 %)"_s), message(u"Resetting..."_s), failed()}));
    EXPECT_EQ(countCalls(message(u"Transmission error!"_s)), 1);
    EXPECT_EQ(blockWrites().size(), 10 + 1) << "ten attempts for the first block, one for the second";
    EXPECT_EQ(countCalls(succeeded()), 0);
}

TEST_F(Firmware, TerminationDuringTheTransferEndsItAtOnceWithoutAReset) {
    view.firmwareChoices << packFile(u"ZORVEXPRO1x4.zvx"_s, 0, pattern(1024));
    view.onProgress = [&](qint64 done, qint64) {
        if (done == 128)
            thread->Stop(); // while the third block is being announced
    };
    connectToBootloader();
    ASSERT_TRUE(waitForFinished()) << dumpCalls().toStdString();
    thread->wait();

    EXPECT_EQ(blockWrites().size(), 2);
    EXPECT_TRUE(requests().filter(QRegularExpression(u"^01"_s)).isEmpty())
        << requests().join(u' ').toStdString();
    EXPECT_EQ(countCalls(message(u"Resetting..."_s)), 0);
    EXPECT_EQ(countCalls(succeeded()) + countCalls(failed()), 0);
    EXPECT_EQ(view.calls.last(), u"connected: false"_s);
}

TEST_F(Firmware, AnUpdateRequestedFromTheApplicationStartsTheBootloaderFirst) {
    const QByteArray image = pattern(256, 11);
    view.firmwareChoices << packFile(u"ZORVEXPRO1x4.zvx"_s, 0x400, image);
    ASSERT_TRUE(startSimulator({u"--flash-image"_s, flashPath()}));
    startThread(sim.linkPath());
    ASSERT_TRUE(waitForCall(u"RefreshExpertWeather"_s)) << dumpCalls().toStdString();
    shared->Request(rqFirmwareUpdate);

    ASSERT_TRUE(waitForCall(status(bootloaderOn()))) << dumpCalls().toStdString();
    ASSERT_TRUE(waitForFinalStatus()) << dumpCalls().toStdString();
    ASSERT_TRUE(waitForCall(status(applicationOn()), 2)) << dumpCalls().toStdString();
    collectTrace();

    const QStringList wire = requests();
    const qsizetype start = wire.indexOf(u"7F00"_s);
    ASSERT_GE(start, 0) << wire.join(u' ').toStdString();
    EXPECT_EQ(wire.value(start + 1), u"80"_s) << "identified again after the wait";
    EXPECT_EQ(wire.value(start + 2), u"80"_s) << "and once more when the request is done";
    EXPECT_TRUE(callsInOrder({u"connected: false"_s, status(bootloaderOn()), u"ChooseFirmwareFile"_s,
                              starting(256), succeeded(), u"connected: true"_s, status(applicationOn())}));
    EXPECT_EQ(flashImage().mid(0x400, 256), image);
}
