// The File menu's configuration files and the automatic backup: export, the two imports with the
// preview of what a configuration import changes, and where the dialogs start.
#include "frmzorvex.h"

#include "backupfile.h"
#include "configfile.h"
#include "extratexts.h"
#include "inidocument.h"
#include "language.h"
#include "schedulepage.h"
#include "sharedblock.h"
#include "simulatedlamp.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

QString ConfigFileFilter() {
    return LookupMessageFmt(u"ZORVEXConfig"_s, {u"ZORVEXPRO 1.x.4"_s}) + u" (*.ini)"_s;
}

QString DocumentsFolder() {
    // Without a Documents folder the home folder (its nearest existing parent).
    return ExistingStartFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

QStringList ChangeRow(const FieldChange& change) {
    return {change.section + u" / "_s + change.key, QString::number(change.current),
            QString::number(change.fromFile)};
}

} // namespace

QString TfrmZORVEX::DialogStartFolder(const QString& fallback) const {
    if (m_platform.dialogFolder)
        if (const std::optional<QString> folder = m_platform.dialogFolder->LastFolder())
            return *folder;
    return fallback;
}

void TfrmZORVEX::RememberDialogFolder(const QString& chosenPath) {
    if (m_platform.dialogFolder)
        m_platform.dialogFolder->Remember(QFileInfo(chosenPath).absolutePath());
}

QString TfrmZORVEX::ImportStartFolder() const {
    // Without a folder of their own, the imports open where the backups are: undoing a bad import
    // or a reset device is the common reason to import.
    const QString backups = m_platform.dataFolder;
    return DialogStartFolder(!backups.isEmpty() && QDir(backups).exists() ? backups : DocumentsFolder());
}

void TfrmZORVEX::ReportFileFailure(const QString& key, const QString& error) {
    SetStatusMessage(ExtraText(key, {error}));
}

void TfrmZORVEX::WriteBackupFile(const QString& portEntry) {
    // Only while device data is loaded (the export item is enabled), and only from records that
    // all arrived in this connection, so that a backup never replaces good data with zeros.
    if (QAction* exportItem = MenuItem(u"mnuScheduleConfigExport"_s); !exportItem || !exportItem->isEnabled())
        return;
    if (BackupFileName(portEntry).isEmpty() || m_platform.dataFolder.isEmpty())
        return;
    // A simulated lamp holds nothing worth keeping.
    if (m_simulatedLamp && portEntry == m_simulatedLamp->Port())
        return;
    if (!m_block->HoldsCompleteDownload()) {
        if (m_debugMode)
            AddMessage(ExtraText(u"BackupIncomplete"_s));
        return;
    }
    const FileResult result = zorvex::WriteBackupFile(m_platform.dataFolder, portEntry, *m_block);
    // Silent towards the user; the debug log tells.
    if (m_debugMode)
        AddMessage(result ? ExtraText(u"BackupWritten"_s,
                                      {QDir(m_platform.dataFolder).filePath(BackupFileName(portEntry))})
                          : ExtraText(u"BackupFailed"_s, {result.error}));
}

void TfrmZORVEX::mnuScheduleConfigExportClick() {
    // The device is read again while the dialog is open.
    m_block->Request(rqAllButChart);
    if (!m_platform.dialogs)
        return;
    const QString path = m_platform.dialogs->ChooseSaveFile(LookupMessage(u"ExportScheduleConfig"_s),
                                                            DialogStartFolder(DocumentsFolder()), {},
                                                            ConfigFileFilter(), u"ini"_s);
    if (path.isEmpty())
        return;
    RememberDialogFolder(path);
    if (const FileResult result = WriteConfigFile(path, *m_block); !result)
        ReportFileFailure(u"ExportFailed"_s, result.error);
    else
        AddMessage(ExtraText(u"ExportDone"_s, {QDir::toNativeSeparators(path)}));
}

std::optional<IniDocument> TfrmZORVEX::ChooseImportFile(const QString& titleKey) {
    if (!m_platform.dialogs)
        return std::nullopt;
    const QString path = m_platform.dialogs->ChooseOpenFile(LookupMessage(titleKey), ImportStartFolder(), {},
                                                            ConfigFileFilter(), u"ini"_s);
    if (path.isEmpty())
        return std::nullopt;
    RememberDialogFolder(path);
    QString error;
    std::optional<IniDocument> document = IniDocument::Read(path, &error);
    if (!document)
        ReportFileFailure(u"ImportFailed"_s, error);
    return document;
}

bool TfrmZORVEX::DownloadCompleteFor(const QString& whatKey, std::uint32_t blockingReads) {
    // Before every record arrived in this connection an import would mix the file with records
    // never read; a schedule download still running would overwrite the imported rows.
    if (m_block->HoldsCompleteDownload() && !m_block->IsRequested(blockingReads))
        return true;
    ReportDownloadWait(whatKey);
    return false;
}

void TfrmZORVEX::ReportDownloadWait(const QString& whatKey) {
    SetStatusMessage(ExtraText(u"WaitForDownload"_s, {ExtraText(whatKey)}));
}

void TfrmZORVEX::mnuConfigImportClick() {
    if (!DownloadCompleteFor(u"WhatConfigImport"_s))
        return;
    const std::optional<IniDocument> document = ChooseImportFile(u"ImportConfig"_s);
    if (!document)
        return;
    const std::vector<FieldChange> changes = ReadConfigChanges(*document, SettingsOf(*m_block));
    if (changes.empty()) {
        AddMessage(ExtraText(u"ImportNoChanges"_s));
    } else {
        QList<QStringList> rows;
        for (const FieldChange& change : changes)
            rows << ChangeRow(change);
        if (!m_platform.dialogs->ConfirmTable(
                ExtraText(u"ImportPreviewCaption"_s), ExtraText(u"ImportPreviewText"_s),
                {ExtraText(u"ImportPreviewSetting"_s), ExtraText(u"ImportPreviewCurrent"_s),
                 ExtraText(u"ImportPreviewFile"_s)},
                rows)) {
            AddMessage(ExtraText(u"ImportCancelled"_s));
            return;
        }
    }
    // The connection may have changed while the dialogs were open.
    if (!DownloadCompleteFor(u"WhatConfigImport"_s))
        return;
    // What the file holds is applied to the records as they are now: they may have been read again
    // while the preview was open. All three records go to the device, whether or not a value changed.
    ApplyConfigImport(*m_block, *document);
    RefreshInfo();
    RefreshConfig();
    RefreshExpert();
    RefreshExpertWeather();
    // The channel colours of the grid may have changed.
    m_schedule->RepaintGrid();
}

void TfrmZORVEX::mnuScheduleImportClick() {
    if (!DownloadCompleteFor(u"WhatScheduleImport"_s, rqGetSchedule))
        return;
    const std::optional<IniDocument> document = ChooseImportFile(u"ImportSchedule"_s);
    if (!document || !DownloadCompleteFor(u"WhatScheduleImport"_s, rqGetSchedule))
        return;
    std::vector<FileEntry> notTaken;
    if (!ApplyScheduleImport(*m_block, ReadScheduleChanges(*document, m_block->Schedule, &notTaken)))
        return;
    FillScheduleGrid();
    if (!notTaken.empty())
        AddMessage(NotTakenText(notTaken));
}

} // namespace zorvex
