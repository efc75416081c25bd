#include "bootloader.h"

#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace zorvex::devsim {

Bootloader::Bootloader() : image_(ImageSize, 0) {}

void Bootloader::writeBlock(std::uint16_t address, std::span<const std::uint8_t> data) {
    for (std::size_t i = 0; i < data.size(); ++i)
        image_[(address + i) % ImageSize] = data[i];
    flashed_ = true;
    saveImageFile();
}

bool Bootloader::saveImageFile() const {
    if (imageFile_.empty())
        return true;
    // Write beside the target and rename, so that a reader never sees half an image.
    const std::string temporary = imageFile_ + ".part" + std::to_string(getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(image_.data()), static_cast<std::streamsize>(image_.size()));
        if (!out)
            return false;
    }
    return std::rename(temporary.c_str(), imageFile_.c_str()) == 0;
}

} // namespace zorvex::devsim
