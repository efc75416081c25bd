#pragma once

#include <QString>

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
};

class WidgetDialogs : public UserDialogs {
public:
    explicit WidgetDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }
    bool Confirm(const QString& caption, const QString& text) override;
    QString ChooseOpenFile(const QString& title, const QString& directory, const QString& fileName,
                           const QString& filter, const QString& defaultSuffix) override;

private:
    QWidget* m_parent;
};

} // namespace zorvex
