#include "pagebuilder.h"

#include "labelededit.h"
#include "settingcontrols.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QVBoxLayout>

namespace zorvex {

QSlider* NewSlider(QWidget* parent, const QString& name, int minimum, int maximum, int pageStep, int tick,
                   Qt::Orientation orientation) {
    auto* slider = new QSlider(orientation, parent);
    slider->setObjectName(name);
    slider->setRange(minimum, maximum);
    slider->setPageStep(pageStep);
    if (tick > 0) {
        slider->setTickInterval(tick);
        slider->setTickPosition(orientation == Qt::Horizontal ? QSlider::TicksBelow : QSlider::TicksRight);
    }
    return slider;
}

LabeledEdit* NewEdit(QWidget* parent, const QString& name, const QString& caption) {
    return new LabeledEdit(name, caption, parent);
}

QPushButton* NewButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QRadioButton* NewRadio(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QCheckBox* NewCheck(QWidget* parent, const QString& name, const QString& caption) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QLabel* NewLabel(QWidget* parent, const QString& name, const QString& text, bool wrap) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(wrap);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QGroupBox* NewGroup(QWidget* parent, const QString& name, const QString& title) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    return group;
}

QWidget* NewSettingRow(QWidget* parent, const QString& edit, int channel) {
    const SettingControl* control = FindSettingControl(edit);
    const QString suffix = channel >= 0 ? QString::number(channel) : QString();
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* field = NewEdit(row, edit + suffix, control != nullptr ? control->caption : QString());
    field->setMinimumWidth(90);
    layout->addWidget(field, control != nullptr && !control->slider.isEmpty() ? 0 : 1);
    if (control != nullptr && !control->slider.isEmpty()) {
        field->setEditWidth(150);
        auto* slider = NewSlider(row, control->slider + suffix, control->minimum, control->maximum,
                                 control->pageStep, control->tickInterval);
        layout->addWidget(slider, 1, Qt::AlignBottom);
    }
    return row;
}

QWidget* ScrollingContent(QWidget* page) {
    auto* scroll = new QScrollArea(page);
    scroll->setObjectName(page->objectName() + QStringLiteral("Scroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget;
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(page);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    return content;
}

void EnableInputs(QWidget* root, bool enabled) {
    for (QWidget* child : root->findChildren<QWidget*>()) {
        if (qobject_cast<QScrollBar*>(child) != nullptr)
            continue; // the scroll bars of grids and memos stay usable
        if (qobject_cast<LabeledEdit*>(child) != nullptr ||
            qobject_cast<QAbstractSlider*>(child) != nullptr ||
            qobject_cast<QAbstractButton*>(child) != nullptr || qobject_cast<QComboBox*>(child) != nullptr ||
            qobject_cast<QDateTimeEdit*>(child) != nullptr)
            child->setEnabled(enabled);
    }
}

Page::Page(const QString& name, const QString& caption, SharedBlock& block, QWidget* parent)
    : QWidget(parent), m_block(block), m_caption(caption) {
    setObjectName(name);
}

void Page::SetConnected(bool connected) {
    EnableInputs(this, connected);
}

} // namespace zorvex
