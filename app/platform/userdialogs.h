#pragma once

#include <QList>

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace zorvex {

// The only dialogs the program shows: confirmations and the choice of a file.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // A Yes/No box with a warning icon and No as the default button; true for Yes.
    virtual bool Confirm(const QString& caption, const QString& text) = 0;
    // An open-file dialog; the chosen path, or empty when cancelled.
    virtual QString ChooseOpenFile(const QString& title, const QString& directory, const QString& fileName,
                                   const QString& filter, const QString& defaultSuffix) = 0;
    // A save-file dialog that asks before an existing file is overwritten; empty when cancelled.
    virtual QString ChooseSaveFile(const QString& title, const QString& directory, const QString& fileName,
                                   const QString& filter, const QString& defaultSuffix) = 0;
    // A table of `rows` under `text` with OK and Cancel; true for OK.
    virtual bool ConfirmTable(const QString& caption, const QString& text, const QStringList& headers,
                              const QList<QStringList>& rows) = 0;
    // A message box with a warning icon and OK.
    virtual void Warn(const QString& caption, const QString& text) = 0;
};

// Where a file dialog for `folder` starts: the folder itself, else its nearest existing parent
// below the root, else the home folder. A folder that does not exist is never handed to the
// dialog, which would offer its last part as the file name.
QString ExistingStartFolder(const QString& folder);

class WidgetDialogs : public UserDialogs {
public:
    explicit WidgetDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }
    bool Confirm(const QString& caption, const QString& text) override;
    QString ChooseOpenFile(const QString& title, const QString& directory, const QString& fileName,
                           const QString& filter, const QString& defaultSuffix) override;
    QString ChooseSaveFile(const QString& title, const QString& directory, const QString& fileName,
                           const QString& filter, const QString& defaultSuffix) override;
    bool ConfirmTable(const QString& caption, const QString& text, const QStringList& headers,
                      const QList<QStringList>& rows) override;
    void Warn(const QString& caption, const QString& text) override;

private:
    QWidget* m_parent;
};

// The folder the file dialogs last used. It is kept apart from the remembered port, whose whole
// key Disconnect deletes.
class DialogFolder {
public:
    virtual ~DialogFolder() = default;
    virtual std::optional<QString> LastFolder() = 0;
    virtual void Remember(const QString& folder) = 0;
};

// QSettings under organisation "ZORVEXPRO", application "Dialogs" (~/.config/ZORVEXPRO/Dialogs.conf),
// key "LastFolder"; or an INI file of the given path (tests).
class QSettingsDialogFolder : public DialogFolder {
public:
    explicit QSettingsDialogFolder(QString iniPath = {}) : m_iniPath(std::move(iniPath)) {}
    std::optional<QString> LastFolder() override;
    void Remember(const QString& folder) override;

private:
    QString m_iniPath;
};

} // namespace zorvex
