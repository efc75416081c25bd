#include "firmwareupdate.h"

#include "commands.h"
#include "file_info.h"
#include "language.h"
#include "records.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace zorvex {

namespace {
// Reads a little-endian 32-bit field. Bytes past the end of the file are missing, not an error:
// they leave the rest of the value as it was (zero). False only for a read error.
bool readLE32(QFile& file, std::int32_t& value) {
    char bytes[FirmwareAddressFieldSize] = {};
    const qint64 n = file.read(bytes, qint64{sizeof bytes});
    if (n < 0)
        return false;
    std::uint32_t u = 0;
    for (std::size_t i = 0; i < sizeof bytes; ++i)
        u |= std::uint32_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
    value = static_cast<std::int32_t>(u);
    return true;
}

QString hexAddress(std::int64_t address) {
    return u"0x"_s + QString::number(address, 16).toUpper().rightJustified(4, u'0');
}
} // namespace

FirmwareUpdate::FirmwareUpdate(DeviceProtocol& protocol, ViewCalls& view, const ComTiming& timing,
                               std::function<bool()> terminationRequested)
    : m_protocol(protocol), m_view(view), m_timing(timing),
      m_terminationRequested(std::move(terminationRequested)) {}

void FirmwareUpdate::FlashFirmware(std::uint16_t bootPageSize, std::uint32_t bootFlashSize) {
    std::ranges::fill(Image, std::uint8_t{0});
    BlockRecord.fill(0);
    const std::int64_t usableSize = std::int64_t{bootFlashSize} - BootloaderReserve;

    for (;;) {
        // A stopped thread shows no further dialog.
        if (m_terminationRequested())
            return;
        FirmwareFile = m_view.ChooseFirmwareFile();
        if (!QFileInfo(FirmwareFile).isFile()) {
            // Cancelled: the reset brings the application back (with the jumper set, the
            // bootloader again, which offers the dialog once more on a later poll).
            m_view.AddMessage(LookupMessage(u"Resetting"_s));
            sendReset();
            return;
        }
        if (!LoadFirmwareFile())
            continue;
        m_view.AddMessage(LookupMessageFmt(
            u"FlashSize"_s, {QString::number(LastAddress) + u" / "_s + QString::number(usableSize)}));
        if (LastAddress < usableSize)
            break;
        m_view.SetStatusMessage(
            LookupMessageFmt(u"FirmwareTooLarge"_s, {QString::number(LastAddress + 1 - usableSize)}));
    }

    // Whole flash pages are written, at least 128 bytes each.
    const std::int64_t pageMask = bootPageSize >= MinimumPageSize ? bootPageSize - 1 : MinimumPageSize - 1;
    const std::int64_t start = FirstAddress & ~pageMask;
    // A block carries a 16-bit address: alignment to an odd page size can reach past 64 KiB, and
    // a block there would wrap to address 0 and overwrite the start of the flash. The image ends
    // at 0x10000, so the transfer does too.
    const std::int64_t end = std::min((std::int64_t{LastAddress} + 1 + pageMask) & ~pageMask,
                                      static_cast<std::int64_t>(Image.size()));
    const std::int64_t total = end - start;
    m_view.SetStatusMessage(LookupMessageFmt(u"StartingFirmwareUpdate"_s, {QString::number(total)}));

    bool failed = false;
    for (std::int64_t address = start; address < end; address += std::int64_t{BlockSize}) {
        const std::int64_t remaining = end - address;
        m_view.SetTaskbarProgress(total - remaining, total);
        const auto percent =
            static_cast<std::int64_t>(std::nearbyint((1.0 - double(remaining) / double(total)) * 100.0));
        m_view.AddMessage(hexAddress(address) + u" ("_s + QString::number(percent) + u" %)"_s);

        buildBlock(address);
        bool acknowledged = false;
        for (int attempt = 0; attempt < BlockAttempts && !acknowledged; ++attempt) {
            if (m_terminationRequested())
                return; // no reset: the device stays in its bootloader
            acknowledged =
                m_protocol.WriteRecord(cmd::FlashBlock.code, cmd::FlashBlock.payloadLength, BlockRecord);
            if (!acknowledged)
                QThread::msleep(static_cast<unsigned long>(m_timing.blockRetryWaitMs));
        }
        if (!acknowledged) {
            // The transfer goes on; the final message reports the failure.
            failed = true;
            m_view.AddMessage(LookupMessage(u"TransferError"_s));
        }
    }

    m_view.AddMessage(LookupMessage(u"Resetting"_s));
    sendReset();
    m_view.SetStatusMessage(
        LookupMessage(failed ? u"FirmwareUpdateFailed"_s : u"FirmwareUpdateSuccessful"_s));
}

void FirmwareUpdate::buildBlock(std::int64_t address) {
    auto payload = payloadOf(BlockRecord);
    const auto low16 = static_cast<std::uint16_t>(address & 0xFFFF);
    detail::storeLE(payload, 0, low16);
    for (std::size_t i = 0; i < BlockSize; ++i) {
        // Page alignment can reach past the image for odd page sizes; there is nothing but zeros.
        const auto at = static_cast<std::uint64_t>(address) + i;
        payload[2 + i] = at < Image.size() ? Image[at] : 0;
    }
}

void FirmwareUpdate::sendReset() {
    // The bootloader's acknowledgement of the reset is not examined.
    m_protocol.WriteRecord(cmd::BootReset.code, cmd::BootReset.payloadLength, BlockRecord);
}

bool FirmwareUpdate::rejectFile(const QString& errorText) {
    if (!errorText.isEmpty())
        m_view.AddMessage(errorText);
    m_view.SetStatusMessage(LookupMessage(u"ParsingError"_s));
    return false;
}

bool FirmwareUpdate::LoadFirmwareFile() {
    m_view.AddMessage(FileInfoText(FirmwareFile));
    // Nothing of a file rejected earlier in this attempt may travel with this one.
    std::ranges::fill(Image, std::uint8_t{0});

    QFile file(FirmwareFile);
    if (!file.open(QIODevice::ReadOnly))
        return rejectFile(file.errorString());
    if (file.size() > MaxFirmwareFileSize)
        return false;

    std::int32_t first = 0;
    std::int32_t last = 0;
    if (!readLE32(file, first) || !readLE32(file, last))
        return rejectFile(file.errorString());
    // The image covers the addresses 0 to 65535 only; a range outside it is refused before a
    // single byte is placed.
    if (first < 0 || (last >= first && last > LastImageAddress))
        return rejectFile({});

    std::uint32_t sum = static_cast<std::uint32_t>(first) + static_cast<std::uint32_t>(last);
    if (last >= first) {
        const qint64 count = qint64{last} - first + 1;
        // A file shorter than its range delivers what it has; the rest stays zero.
        const QByteArray bytes = file.read(count);
        if (file.error() != QFileDevice::NoError)
            return rejectFile(file.errorString());
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const auto byte = static_cast<std::uint8_t>(bytes[i]);
            Image[static_cast<std::size_t>(first) + static_cast<std::size_t>(i)] = byte;
            sum += byte;
        }
    }
    std::int32_t stored = 0;
    if (!readLE32(file, stored))
        return rejectFile(file.errorString());
    file.close();

    const auto computed = static_cast<std::int32_t>(sum);
    if (stored != computed) {
        m_view.SetStatusMessage(LookupMessageFmt(
            u"ChecksumError"_s, {QString::number(stored) + u" != "_s + QString::number(computed)}));
        return false;
    }
    if (DebugMode)
        m_view.AddMessage(u"Checksum: "_s + QString::number(computed));

    FirstAddress = first;
    LastAddress = last;
    if (first < last)
        return true;
    m_view.SetStatusMessage(LookupMessage(u"NoDataInFile"_s));
    return false;
}

} // namespace zorvex
