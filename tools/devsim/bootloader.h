#pragma once

#include "records.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zorvex::devsim {

// The lamp's bootloader: reports its page and flash size and writes 64-byte blocks into a
// 65536-byte flash image. The image starts as all zeros, and can be mirrored into a file after
// every block so that tests can compare it with what they sent.
class Bootloader {
public:
    static constexpr std::size_t ImageSize = 65536;
    static constexpr std::size_t BlockSize = 64;
    static constexpr std::uint16_t DefaultPageSize = 128;
    static constexpr std::uint32_t DefaultFlashSize = 32768;
    static constexpr std::uint8_t DefaultVersion = 1;

    Bootloader();

    BootInfo bootInfo() const { return info_; }
    void setPageSize(std::uint16_t pageSize) { info_.PageSize = pageSize; }
    void setFlashSize(std::uint32_t flashSize) { info_.FlashSize = flashSize; }
    std::uint8_t version() const { return version_; }
    void setVersion(std::uint8_t version) { version_ = version; }

    // Stores the block at `address` (addresses wrap round at the end of the image).
    void writeBlock(std::uint16_t address, std::span<const std::uint8_t> data);
    const std::vector<std::uint8_t>& image() const { return image_; }
    // Whether a block was written since the bootloader was last entered.
    bool flashedThisSession() const { return flashed_; }
    void beginSession() { flashed_ = false; }

    // Mirror the image into `path` (empty: no file). The file is replaced as a whole.
    void setImageFile(std::string path) { imageFile_ = std::move(path); }
    bool saveImageFile() const;

private:
    BootInfo info_{DefaultPageSize, DefaultFlashSize};
    std::uint8_t version_ = DefaultVersion;
    std::vector<std::uint8_t> image_;
    bool flashed_ = false;
    std::string imageFile_;
};

} // namespace zorvex::devsim
