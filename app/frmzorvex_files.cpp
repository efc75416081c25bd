// The File menu's configuration files and the automatic backup: export, the two imports with the
// preview of what a configuration import changes, and where the dialogs start.
#include "frmzorvex.h"

#include "importpreview.h"
#include "labelededit.h"
#include "schedulecells.h"

#include "backupfile.h"
#include "configfile.h"
#include "edithistory.h"
#include "extratexts.h"
#include "inidocument.h"
#include "language.h"
#include "schedulepage.h"
#include "sharedblock.h"
#include "simulatedlamp.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QStandardPaths>
#include <QTabWidget>

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

QString WithoutMnemonic(QString text) {
    text.replace(u"&&"_s, u"\u0001"_s);
    text.remove(u'&');
    return text.replace(u"\u0001"_s, u"&"_s);
}

// How the window labels the named control now: its tab's caption, its group box's title and its
// own caption.
ControlLabel LabelOf(const QWidget* window, const QTabWidget* pages, const QString& name) {
    ControlLabel label;
    const auto* control = window->findChild<QWidget*>(name);
    if (control == nullptr)
        return label;
    if (const auto* edit = qobject_cast<const LabeledEdit*>(control))
        label.caption = edit->caption();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        label.caption = WithoutMnemonic(button->text());
    for (const QWidget* up = control->parentWidget(); up != nullptr; up = up->parentWidget()) {
        if (const auto* group = qobject_cast<const QGroupBox*>(up); group != nullptr && label.group.isEmpty())
            label.group = group->title();
        if (const int index = pages->indexOf(const_cast<QWidget*>(up)); index >= 0) {
            label.page = WithoutMnemonic(pages->tabText(index));
            break;
        }
    }
    return label;
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

std::optional<IniDocument> TfrmZORVEX::ChooseImportFile(const QString& titleKey, QString* chosenPath) {
    if (!m_platform.dialogs)
        return std::nullopt;
    const QString path = m_platform.dialogs->ChooseOpenFile(LookupMessage(titleKey), ImportStartFolder(), {},
                                                            ConfigFileFilter(), u"ini"_s);
    if (path.isEmpty())
        return std::nullopt;
    RememberDialogFolder(path);
    *chosenPath = QDir::toNativeSeparators(path);
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

bool TfrmZORVEX::ConfirmImport(const QString& captionKey, const QStringList& columns,
                               const QList<QStringList>& rows) {
    if (m_platform.dialogs->ConfirmTable(ExtraText(captionKey), ExtraText(u"ImportPreviewText"_s), columns,
                                         rows))
        return true;
    AddMessage(ExtraText(u"ImportCancelled"_s));
    return false;
}

void TfrmZORVEX::mnuConfigImportClick() {
    if (!DownloadCompleteFor(u"WhatConfigImport"_s))
        return;
    QString path;
    const std::optional<IniDocument> document = ChooseImportFile(u"ImportConfig"_s, &path);
    if (!document)
        return;
    const DeviceSettings current = SettingsOf(*m_block);
    const std::vector<FieldChange> changes = ReadConfigChanges(*document, current);
    if (changes.empty()) {
        AddMessage(ExtraText(u"ImportNoChanges"_s));
    } else {
        const ControlLabels labels = [this](const QString& name) { return LabelOf(this, m_pc, name); };
        if (!ConfirmImport(u"ImportPreviewCaption"_s,
                           {ExtraText(u"ImportPreviewSetting"_s), ExtraText(u"ImportPreviewCurrent"_s),
                            ExtraText(u"ImportPreviewFile"_s)},
                           ConfigPreviewRows(changes, current, labels)))
            return;
    }
    // The connection may have changed while the dialogs were open.
    if (!DownloadCompleteFor(u"WhatConfigImport"_s))
        return;
    // What the file holds is applied to the records as they are now: they may have been read again
    // while the preview was open. All three records go to the device, whether or not a value changed.
    std::vector<FieldChange> applied;
    {
        const EditStep step(m_history, ExtraText(u"UndoConfigImport"_s));
        applied = ApplyConfigImport(*m_block, *document);
    }
    RefreshInfo();
    RefreshConfig();
    RefreshExpert();
    RefreshExpertWeather();
    // The channel colours of the grid may have changed.
    m_schedule->RepaintGrid();
    AddMessage(ExtraText(u"ImportDone"_s, {QString::number(applied.size()), path}));
}

void TfrmZORVEX::mnuScheduleImportClick() {
    if (!DownloadCompleteFor(u"WhatScheduleImport"_s, rqGetSchedule))
        return;
    QString path;
    const std::optional<IniDocument> document = ChooseImportFile(u"ImportSchedule"_s, &path);
    if (!document || !DownloadCompleteFor(u"WhatScheduleImport"_s, rqGetSchedule))
        return;
    const std::vector<ScheduleRow> current = m_block->Schedule;
    if (const std::vector<FieldChange> preview = ReadScheduleChanges(*document, current); !preview.empty()) {
        const QStringList headers = m_schedule->ColumnHeaders();
        if (!ConfirmImport(u"ImportSchedulePreviewCaption"_s,
                           {headers.value(ScheduleLineColumn), ExtraText(u"ImportPreviewColumn"_s),
                            ExtraText(u"ImportPreviewCurrent"_s), ExtraText(u"ImportPreviewFile"_s)},
                           ScheduleChangeRows(current, preview, headers, UsesAltitude(m_block->Config.Mode))))
            return;
        // The connection may have changed, or the schedule been read again, while the preview was open.
        if (!DownloadCompleteFor(u"WhatScheduleImport"_s, rqGetSchedule))
            return;
    }
    std::vector<FileEntry> notTaken;
    const std::vector<FieldChange> changes = ReadScheduleChanges(*document, m_block->Schedule, &notTaken);
    {
        const EditStep step(m_history, ExtraText(u"UndoScheduleImport"_s));
        if (!ApplyScheduleImport(*m_block, changes))
            return;
    }
    FillScheduleGrid();
    if (!notTaken.empty())
        AddMessage(NotTakenText(notTaken));
    AddMessage(ExtraText(u"ImportDone"_s, {QString::number(changes.size()), path}));
}

} // namespace zorvex
