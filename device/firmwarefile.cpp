#include "firmwarefile.h"

namespace zorvex {

namespace {
void appendLE32(QByteArray& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.append(static_cast<char>((value >> shift) & 0xFFu));
}
} // namespace

std::uint32_t FirmwareChecksum(std::int32_t firstAddress, std::int32_t lastAddress, QByteArrayView image) {
    std::uint32_t sum = static_cast<std::uint32_t>(firstAddress) + static_cast<std::uint32_t>(lastAddress);
    for (const char byte : image)
        sum += static_cast<unsigned char>(byte);
    return sum;
}

QByteArray PackFirmwareImage(std::int32_t firstAddress, QByteArrayView image) {
    const auto lastAddress =
        static_cast<std::int32_t>(static_cast<std::int64_t>(firstAddress) + image.size() - 1);
    QByteArray file;
    file.reserve(image.size() + qsizetype(2 * FirmwareAddressFieldSize + FirmwareChecksumSize));
    appendLE32(file, static_cast<std::uint32_t>(firstAddress));
    appendLE32(file, static_cast<std::uint32_t>(lastAddress));
    file.append(image.data(), image.size());
    appendLE32(file, FirmwareChecksum(firstAddress, lastAddress, image));
    return file;
}

} // namespace zorvex
