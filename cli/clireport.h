#pragma once

#include "configfile.h"
#include "records.h"

#include <QJsonObject>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace zorvex {

// What a command reports on standard output, as text lines in the loaded language or as one
// JSON object for scripts. Pure functions of the records and results.

// The identity a device gave in its "80" reply.
struct DeviceIdentity {
    std::uint8_t type = 255;
    std::uint8_t version = 255;
};

// --- ports ---
QJsonObject PortsJson(const QStringList& entries);

// --- info: type, firmware version, clock, mode, channels, temperatures ---
QStringList InfoLines(const QString& port, DeviceIdentity identity, const Info& info, const Config& config,
                      const QLocale& locale = QLocale());
QJsonObject InfoJson(const QString& port, DeviceIdentity identity, const Info& info, const Config& config);
// "manual", "auto", "geo", "rgb-demo", "flash"; the number as text for any other mode.
QString ModeName(int mode);

// --- export and imports ---
QJsonObject ExportJson(const QString& file, std::size_t rows);
// The changes as the window's import preview shows them: "Section / Key", the present value and
// the file's value, in aligned columns under a header.
QStringList ChangeLines(const std::vector<FieldChange>& changes);
QJsonObject ChangesJson(const QString& file, const std::vector<FieldChange>& changes);

// --- flash ---
struct FlashSummary {
    QString file;
    qint64 blocks = 0;
    qint64 bytes = 0;
    double seconds = 0;
};
QJsonObject FlashJson(const FlashSummary& summary);

// One line of compact JSON.
QString JsonLine(const QJsonObject& object);

} // namespace zorvex
