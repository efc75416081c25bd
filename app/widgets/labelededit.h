#pragma once

#include <QColor>
#include <QWidget>

class QLabel;
class QLineEdit;

namespace zorvex {

// A line edit with its caption label above it. The composite carries the component name
// (edt0, edtMoon2 ...); focus goes to the edit, so hasFocus() of the composite tells whether the
// user is typing in it. Hiding or disabling the composite hides or disables the caption too.
class LabeledEdit : public QWidget {
    Q_OBJECT
public:
    explicit LabeledEdit(const QString& name, const QString& caption = {}, QWidget* parent = nullptr);

    QString caption() const;
    void setCaption(const QString& caption);
    QString text() const;
    void setText(const QString& text);
    // Background tint of the edit field (the channel colour).
    void setBackground(const QColor& colour);
    // Fixes the composite's width; a caption longer than that wraps instead of being cut off.
    void setEditWidth(int width);
    QColor background() const;

    QLineEdit* lineEdit() const { return m_edit; }
    QLabel* label() const { return m_label; }

Q_SIGNALS:
    // Every change of the text, typed or set by the program.
    void textChanged(const QString& text);

private:
    QLabel* m_label;
    QLineEdit* m_edit;
};

} // namespace zorvex
