#include "labelededit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QVBoxLayout>

namespace zorvex {

LabeledEdit::LabeledEdit(const QString& name, const QString& caption, QWidget* parent)
    : QWidget(parent), m_label(new QLabel(caption, this)), m_edit(new QLineEdit(this)) {
    setObjectName(name);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_label);
    layout->addWidget(m_edit);
    m_label->setBuddy(m_edit);
    setFocusProxy(m_edit);
    setFocusPolicy(m_edit->focusPolicy());
    connect(m_edit, &QLineEdit::textChanged, this, &LabeledEdit::textChanged);
}

QString LabeledEdit::caption() const {
    return m_label->text();
}
void LabeledEdit::setCaption(const QString& caption) {
    m_label->setText(caption);
}
QString LabeledEdit::text() const {
    return m_edit->text();
}

void LabeledEdit::setText(const QString& text) {
    if (m_edit->text() != text)
        m_edit->setText(text);
}

void LabeledEdit::setBackground(const QColor& colour) {
    QPalette palette = m_edit->palette();
    palette.setColor(QPalette::Base, colour);
    // A disabled edit keeps its tint, so it keeps the dark text too: grey on a channel colour
    // cannot be read.
    palette.setColor(QPalette::Disabled, QPalette::Text, palette.color(QPalette::Active, QPalette::Text));
    m_edit->setPalette(palette);
}

void LabeledEdit::setEditWidth(int width) {
    setFixedWidth(width);
    m_label->setWordWrap(true);
}

QColor LabeledEdit::background() const {
    return m_edit->palette().color(QPalette::Base);
}

} // namespace zorvex
