#pragma once

#include "comtiming.h"
#include "deviceprotocol.h"
#include "firmwarefile.h"
#include "viewcalls.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace zorvex {

// One firmware update attempt on the communication thread, with the device in its bootloader:
// asks the window for a file, checks it against the flash size the bootloader reported, sends
// the image in 64-byte blocks aligned to the flash page and resets the device.
class FirmwareUpdate {
public:
    static constexpr std::size_t BlockSize = 64;
    static constexpr int BlockAttempts = 10;
    static constexpr std::uint32_t BootloaderReserve = 1024; // top of the flash, not ours to write
    static constexpr std::uint16_t MinimumPageSize = 128;

    FirmwareUpdate(DeviceProtocol& protocol, ViewCalls& view, const ComTiming& timing,
                   std::function<bool()> terminationRequested);

    // The whole attempt for a bootloader with this BootInfo. Ends after the final message, after
    // the reset sent for a cancelled dialog, or at once on a termination request.
    void FlashFirmware(std::uint16_t bootPageSize, std::uint32_t bootFlashSize);

    // Reads and checks FirmwareFile into Image; true when it holds a usable image.
    bool LoadFirmwareFile();

    bool DebugMode = false;
    QString FirmwareFile;
    // The flash as it will be written, indexed by address.
    std::vector<std::uint8_t> Image = std::vector<std::uint8_t>(FirmwareImageSize);
    // The block write ("02") and the reset ("01") are sent from here, never from RecordBuffer.
    RecordBuffer BlockRecord{};
    std::int32_t FirstAddress = 0;
    std::int32_t LastAddress = 0;

private:
    bool sendBlock(std::int64_t address);
    void buildBlock(std::int64_t address);
    void sendReset();
    bool rejectFile(const QString& errorText);

    DeviceProtocol& m_protocol;
    ViewCalls& m_view;
    ComTiming m_timing;
    std::function<bool()> m_terminationRequested;
};

} // namespace zorvex
