#pragma once

#include "configkeys.h"
#include "fileresult.h"
#include "inidocument.h"
#include "records.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace zorvex {

class SharedBlock;

// One field a file would change: where it is, its present value and the value from the file,
// both with the field's sign.
struct FieldChange {
    QString section;
    QString key;
    std::int64_t current = 0;
    std::int64_t fromFile = 0;

    friend bool operator==(const FieldChange&, const FieldChange&) = default;
};

// An entry of the file as it stands there.
struct FileEntry {
    QString section;
    QString key;
    QString value;

    friend bool operator==(const FileEntry&, const FileEntry&) = default;
};

// --- export ---
// Every key of the sections Config, Weather, Names, RC5 and TimeZone, in table order, as
// decimal integers (signed fields with their sign).
void WriteSettingsKeys(IniDocument& document, const DeviceSettings& settings);
// One section per row, "0" first, with the row's keys. Sections of further rows already in the
// document stay as they are.
void WriteScheduleSections(IniDocument& document, const std::vector<ScheduleRow>& rows);

// Writes the configuration file: an existing file is read first and keeps its other sections,
// keys and order; the file is replaced only once the new text is complete. A file that exists
// but cannot be read is left alone and reported.
FileResult WriteConfigFile(const QString& path, const DeviceSettings& settings,
                           const std::vector<ScheduleRow>& rows);
// The same from the shared block's copies as they are.
FileResult WriteConfigFile(const QString& path, const SharedBlock& block);

// --- configuration import: first the changes (for a preview), then applying them ---
// The fields of the sections Config, Weather, Names, RC5 and TimeZone whose value in the document
// differs from `current`. A missing key, or a value that is no integer or does not fit the
// field's width, keeps the present value.
std::vector<FieldChange> ReadConfigChanges(const IniDocument& document, const DeviceSettings& current);
// Stores the file's values; a change naming no key of the table is skipped.
void ApplyConfigChanges(DeviceSettings& settings, const std::vector<FieldChange>& changes);
// Stores what the document holds into the shared block's records as they are now (a preview
// drawn earlier may be out of date) and, in the same hold of DeviceLock, asks for the upload of
// Config, Expert and ExpertWeather (also when nothing changed). Returns the changes made.
std::vector<FieldChange> ApplyConfigImport(SharedBlock& block, const IniDocument& document);

// --- schedule import ---
// The fields of rows 0 .. current.size() - 1 whose value in the document's section of that row
// differs. Sections of further rows are ignored; a missing section or key keeps the value. Each key
// is read on its own: a value that is no integer or does not fit its field keeps that field, is
// added to `notTaken` and the row's next key is read.
std::vector<FieldChange> ReadScheduleChanges(const IniDocument& document,
                                             const std::vector<ScheduleRow>& current,
                                             std::vector<FileEntry>* notTaken = nullptr);
// The report of entries an import did not take, as "[section] key=value" in file order; empty
// when there are none.
QString NotTakenText(const std::vector<FileEntry>& notTaken);
// Stores the file's values; changes naming no row or no key of a row are skipped.
void ApplyScheduleChanges(std::vector<ScheduleRow>& rows, const std::vector<FieldChange>& changes);
// Stores the changes into Schedule and marks every row for upload. Refused (false, nothing
// changed) while a schedule download is pending or running (rqGetSchedule), or before every row
// arrived in this connection.
bool ApplyScheduleImport(SharedBlock& block, const std::vector<FieldChange>& changes);

} // namespace zorvex
