// The configuration file commands: export, and the two imports with what they change.
#include "clireport.h"
#include "clirunners.h"
#include "configfile.h"
#include "devicesession.h"
#include "extratexts.h"
#include "inidocument.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorvex {

namespace {

QString FilePath(const CliContext& context) {
    return QFileInfo(std::get<FileArgument>(context.line.arguments).path).absoluteFilePath();
}

// The import file, read before any device is touched; empty after reporting why it cannot be.
std::optional<IniDocument> ReadImportFile(const CliContext& context, const QString& path) {
    QString error;
    std::optional<IniDocument> document = IniDocument::Read(path, &error);
    if (!document)
        context.Fail(ExitFileFailure,
                     ExtraText(u"ImportFailed"_s, {ExtraText(u"CliFileError"_s, {path, error})}));
    return document;
}

bool HoldsSettings(const IniDocument& document) {
    return std::ranges::any_of(ConfigKeyTable(), [&](const ConfigKey& key) {
        return document.Value(key.section, key.key).has_value();
    });
}

bool HoldsScheduleLine(const IniDocument& document) {
    for (const QString& section : document.Sections()) {
        bool isIndex = false;
        section.toUInt(&isIndex);
        if (isIndex && std::ranges::any_of(ScheduleRowKeys(), [&](const QString& key) {
                return document.Value(section, key).has_value();
            }))
            return true;
    }
    return false;
}

void ReportChanges(const CliContext& context, const QString& path, const std::vector<FieldChange>& changes,
                   const QString& noChangesKey) {
    if (context.line.options.json)
        context.console.out << JsonLine(ChangesJson(path, changes)) << Qt::endl;
    else if (changes.empty())
        context.console.out << ExtraText(noChangesKey) << Qt::endl;
    else
        context.console.out << ChangeLines(changes).join(u'\n') << Qt::endl;
}

} // namespace

int RunExport(const CliContext& context) {
    const QString path = FilePath(context);
    // A folder that does not exist fails before the device is read.
    if (!QFileInfo(path).absoluteDir().exists())
        return context.Fail(ExitFileFailure, ExtraText(u"ExportFailed"_s,
                                                       {ExtraText(u"CliFileError"_s,
                                                                  {path, ExtraText(u"CliNoDirectory"_s)})}));
    DeviceSession session(context.port, context.termination);
    if (!session.Connect(DeviceSession::Readiness::Records))
        return context.Fail(session.failureCode(), session.failureText());
    // The same writer as the window's export: an existing file keeps its other sections.
    if (const FileResult result = WriteConfigFile(path, session.Block()); !result)
        return context.Fail(ExitFileFailure, ExtraText(u"ExportFailed"_s,
                                                       {ExtraText(u"CliFileError"_s, {path, result.error})}));
    if (context.line.options.json)
        context.console.out << JsonLine(ExportJson(path, session.Block().Schedule.size())) << Qt::endl;
    else
        context.console.out << ExtraText(u"ExportDone"_s, {QDir::toNativeSeparators(path)}) << Qt::endl;
    session.Close();
    return ExitSuccess;
}

int RunImportConfig(const CliContext& context) {
    const QString path = FilePath(context);
    const std::optional<IniDocument> document = ReadImportFile(context, path);
    if (!document)
        return ExitFileFailure;
    if (!HoldsSettings(*document))
        return context.Fail(ExitFileFailure, ExtraText(u"CliNotConfigFile"_s, {path}));
    DeviceSession session(context.port, context.termination);
    if (!session.Connect(DeviceSession::Readiness::Records))
        return context.Fail(session.failureCode(), session.failureText());
    // All three records go to the device, whether or not a value changed, as in the window.
    const std::vector<FieldChange> changes = ApplyConfigImport(session.Block(), *document);
    if (!session.CarryOut(rqConfigImport))
        return context.Fail(session.failureCode(), session.failureText());
    ReportChanges(context, path, changes, u"ImportNoChanges"_s);
    session.Close();
    return ExitSuccess;
}

int RunImportSchedule(const CliContext& context) {
    const QString path = FilePath(context);
    const std::optional<IniDocument> document = ReadImportFile(context, path);
    if (!document)
        return ExitFileFailure;
    if (!HoldsScheduleLine(*document))
        return context.Fail(ExitFileFailure, ExtraText(u"CliNotScheduleFile"_s, {path}));
    DeviceSession session(context.port, context.termination);
    if (!session.Connect(DeviceSession::Readiness::Records))
        return context.Fail(session.failureCode(), session.failureText());
    SharedBlock& block = session.Block();
    std::vector<FieldChange> changes;
    std::vector<FileEntry> notTaken;
    // The import waits for a schedule download in progress rather than racing its rows.
    const bool applied = session.ServeUntil(
        [&] {
            notTaken.clear();
            changes = ReadScheduleChanges(*document, block.Schedule, &notTaken);
            return ApplyScheduleImport(block, changes);
        },
        DeviceSession::CommandTimeoutMs);
    if (!applied || !session.CarryOut(rqSetSchedule))
        return context.Fail(session.failureCode(), session.failureText());
    ReportChanges(context, path, changes, u"CliScheduleNoChanges"_s);
    // Reported, but the import itself succeeded.
    if (!notTaken.empty())
        context.console.err << NotTakenText(notTaken) << Qt::endl;
    session.Close();
    return ExitSuccess;
}

} // namespace zorvex
