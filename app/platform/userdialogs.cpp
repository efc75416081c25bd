#include "userdialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace zorvex {

bool WidgetDialogs::Confirm(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString WidgetDialogs::ChooseOpenFile(const QString& title, const QString& directory, const QString& fileName,
                                      const QString& filter, const QString& defaultSuffix) {
    QFileDialog dialog(m_parent, title, directory, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

} // namespace zorvex
