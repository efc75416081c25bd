#pragma once

#include <QString>

#include <optional>

namespace zorvex {

// Runs the firmware update's own file checks (readable, at most 64 KiB, addresses within the
// image, checksum, some data) before any device is touched: the window's file dialog and the
// command-line tool refuse a file with them. Empty when the file is usable, else the reason in the
// loaded language. Whether the image fits the device's flash only the bootloader can tell.
std::optional<QString> FirmwareFileProblem(const QString& path);

} // namespace zorvex
