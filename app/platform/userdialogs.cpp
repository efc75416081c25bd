#include "userdialogs.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>

#include <memory>

namespace zorvex {

bool WidgetDialogs::Confirm(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void WidgetDialogs::Warn(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, m_parent);
    box.exec();
}

QString ExistingStartFolder(const QString& folder) {
    if (folder.isEmpty())
        return QDir::homePath();
    QFileInfo info(QDir::cleanPath(QDir(folder).absolutePath()));
    if (info.isDir())
        return info.absoluteFilePath();
    while (!info.isRoot()) {
        info = QFileInfo(info.absolutePath());
        if (info.isDir())
            return info.isRoot() ? QDir::homePath() : info.absoluteFilePath();
    }
    return QDir::homePath();
}

namespace {
QString RunFileDialog(QFileDialog& dialog, const QString& fileName, const QString& defaultSuffix) {
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}
} // namespace

QString WidgetDialogs::ChooseOpenFile(const QString& title, const QString& directory, const QString& fileName,
                                      const QString& filter, const QString& defaultSuffix) {
    QFileDialog dialog(m_parent, title, ExistingStartFolder(directory), filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    return RunFileDialog(dialog, fileName, defaultSuffix);
}

QString WidgetDialogs::ChooseSaveFile(const QString& title, const QString& directory, const QString& fileName,
                                      const QString& filter, const QString& defaultSuffix) {
    QFileDialog dialog(m_parent, title, ExistingStartFolder(directory), filter);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave); // asks before overwriting
    return RunFileDialog(dialog, fileName, defaultSuffix);
}

bool WidgetDialogs::ConfirmTable(const QString& caption, const QString& text, const QStringList& headers,
                                 const QList<QStringList>& rows) {
    QDialog dialog(m_parent);
    dialog.setWindowTitle(caption);
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(text, &dialog);
    label->setWordWrap(true);
    layout->addWidget(label);
    auto* table = new QTableWidget(static_cast<int>(rows.size()), static_cast<int>(headers.size()), &dialog);
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    for (int row = 0; row < rows.size(); ++row)
        for (int column = 0; column < rows.at(row).size() && column < headers.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(rows.at(row).at(column)));
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(520, 420);
    return dialog.exec() == QDialog::Accepted;
}

namespace {
using namespace Qt::StringLiterals;
std::unique_ptr<QSettings> OpenFolderSettings(const QString& iniPath) {
    if (iniPath.isEmpty())
        return std::make_unique<QSettings>(u"ZORVEXPRO"_s, u"Dialogs"_s);
    return std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
}
} // namespace

std::optional<QString> QSettingsDialogFolder::LastFolder() {
    const QString folder = OpenFolderSettings(m_iniPath)->value(u"LastFolder"_s).toString();
    if (folder.isEmpty() || !QDir(folder).exists())
        return std::nullopt;
    return folder;
}

void QSettingsDialogFolder::Remember(const QString& folder) {
    const auto settings = OpenFolderSettings(m_iniPath);
    settings->setValue(u"LastFolder"_s, folder);
    settings->sync();
}

} // namespace zorvex
