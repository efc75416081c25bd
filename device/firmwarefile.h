#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstddef>
#include <cstdint>

namespace zorvex {

// The firmware file: first address and last address (inclusive) as signed 32-bit little-endian
// numbers, the image bytes for those addresses in order, and a signed 32-bit checksum, the sum
// modulo 2^32 of both address fields and every image byte taken unsigned.
inline constexpr qint64 MaxFirmwareFileSize = 65536;
inline constexpr std::size_t FirmwareImageSize = 65536; // the flash addresses a file may fill
inline constexpr std::int32_t LastImageAddress = 65535;
inline constexpr std::size_t FirmwareAddressFieldSize = 4;
inline constexpr std::size_t FirmwareChecksumSize = 4;

// The checksum of a file with these addresses and image bytes.
std::uint32_t FirmwareChecksum(std::int32_t firstAddress, std::int32_t lastAddress, QByteArrayView image);

// The file bytes for `image` placed at `firstAddress`: the last address is first + size - 1.
QByteArray PackFirmwareImage(std::int32_t firstAddress, QByteArrayView image);

} // namespace zorvex
