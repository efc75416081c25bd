#include "configfile.h"

#include "extratexts.h"
#include "scheduleedits.h"
#include "sharedblock.h"

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

// Row index of a schedule section name; empty for any other name.
std::optional<std::size_t> RowOfSection(const QString& section) {
    bool ok = false;
    const uint row = section.toUInt(&ok);
    if (!ok || QString::number(row) != section)
        return std::nullopt;
    return std::size_t{row};
}

} // namespace

void WriteSettingsKeys(IniDocument& document, const DeviceSettings& settings) {
    DeviceSettings copy = settings;
    for (const ConfigKey& key : ConfigKeyTable()) {
        if (const auto field = FieldOf(copy, key))
            document.SetValue(key.section, key.key, field->Text());
    }
}

void WriteScheduleSections(IniDocument& document, const std::vector<ScheduleRow>& rows) {
    for (std::size_t index = 0; index < rows.size(); ++index) {
        ScheduleRow row = rows[index];
        const QString section = ScheduleSection(index);
        for (const QString& key : ScheduleRowKeys()) {
            if (const auto field = FieldOf(row, key))
                document.SetValue(section, key, field->Text());
        }
    }
}

FileResult WriteConfigFile(const QString& path, const DeviceSettings& settings,
                           const std::vector<ScheduleRow>& rows) {
    QString error;
    std::optional<IniDocument> document = IniDocument::ReadForUpdate(path, &error);
    if (!document)
        return FileResult::Failure(error);
    WriteSettingsKeys(*document, settings);
    WriteScheduleSections(*document, rows);
    return document->Save(path);
}

FileResult WriteConfigFile(const QString& path, const SharedBlock& block) {
    return WriteConfigFile(path, SettingsOf(block), block.Schedule);
}

std::vector<FieldChange> ReadConfigChanges(const IniDocument& document, const DeviceSettings& current) {
    std::vector<FieldChange> changes;
    DeviceSettings copy = current;
    for (const ConfigKey& key : ConfigKeyTable()) {
        const auto field = FieldOf(copy, key);
        const auto text = document.Value(key.section, key.key);
        if (!field || !text)
            continue;
        const auto value = field->Parse(*text);
        if (value && *value != field->Get())
            changes.push_back(FieldChange{key.section, key.key, field->Get(), *value});
    }
    return changes;
}

void ApplyConfigChanges(DeviceSettings& settings, const std::vector<FieldChange>& changes) {
    for (const FieldChange& change : changes) {
        const ConfigKey* key = FindConfigKey(change.section, change.key);
        if (key == nullptr)
            continue;
        if (const auto field = FieldOf(settings, *key))
            field->Set(change.fromFile);
    }
}

std::vector<FieldChange> ApplyConfigImport(SharedBlock& block, const IniDocument& document) {
    std::vector<FieldChange> changes;
    block.EditAndRequest(rqConfigImport, [&] {
        DeviceSettings settings = SettingsOf(block);
        changes = ReadConfigChanges(document, settings);
        ApplyConfigChanges(settings, changes);
        block.Config = settings.Config;
        block.Expert = settings.Expert;
        block.ExpertWeather = settings.ExpertWeather;
    });
    return changes;
}

std::vector<FieldChange> ReadScheduleChanges(const IniDocument& document,
                                             const std::vector<ScheduleRow>& current,
                                             std::vector<FileEntry>* notTaken) {
    std::vector<FieldChange> changes;
    for (std::size_t index = 0; index < current.size(); ++index) {
        ScheduleRow row = current[index];
        const QString section = ScheduleSection(index);
        for (const QString& key : ScheduleRowKeys()) {
            const auto field = FieldOf(row, key);
            const auto text = document.Value(section, key);
            if (!field || !text)
                continue;
            const auto value = field->Parse(*text);
            if (!value) {
                if (notTaken != nullptr)
                    notTaken->push_back(FileEntry{section, key, *text});
                continue;
            }
            if (*value != field->Get())
                changes.push_back(FieldChange{section, key, field->Get(), *value});
        }
    }
    return changes;
}

QString NotTakenText(const std::vector<FileEntry>& notTaken) {
    if (notTaken.empty())
        return {};
    QStringList entries;
    for (const FileEntry& entry : notTaken)
        entries << u'[' + entry.section + u"] "_s + entry.key + u'=' + entry.value;
    return ExtraText(u"ImportKeysNotTaken"_s, {entries.join(u", "_s)});
}

void ApplyScheduleChanges(std::vector<ScheduleRow>& rows, const std::vector<FieldChange>& changes) {
    for (const FieldChange& change : changes) {
        const auto index = RowOfSection(change.section);
        if (!index || *index >= rows.size())
            continue;
        if (const auto field = FieldOf(rows[*index], change.key))
            field->Set(change.fromFile);
    }
}

bool ApplyScheduleImport(SharedBlock& block, const std::vector<FieldChange>& changes) {
    // Rows still arriving would replace the import; rows never read are not written.
    if (block.IsRequested(rqGetSchedule) || !block.MayWrite(rqSetSchedule))
        return false;
    ApplyScheduleChanges(block.Schedule, changes);
    MarkAllScheduleRowsChanged(block);
    return true;
}

} // namespace zorvex
