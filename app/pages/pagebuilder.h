#pragma once

#include <QString>
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

namespace zorvex {

class LabeledEdit;
class SharedBlock;

// The channels the window carries controls for; this build drives the first four.
inline constexpr int WindowChannelCount = 12;
inline constexpr int DrivenChannelCount = 4;

// Creation of named controls: every control carries its component name as object name.
QSlider* NewSlider(QWidget* parent, const QString& name, int minimum, int maximum, int pageStep, int tick,
                   Qt::Orientation orientation = Qt::Horizontal);
LabeledEdit* NewEdit(QWidget* parent, const QString& name, const QString& caption = {});
QPushButton* NewButton(QWidget* parent, const QString& name, const QString& caption);
QRadioButton* NewRadio(QWidget* parent, const QString& name, const QString& caption);
QCheckBox* NewCheck(QWidget* parent, const QString& name, const QString& caption);
QLabel* NewLabel(QWidget* parent, const QString& name, const QString& text, bool wrap = false);
QGroupBox* NewGroup(QWidget* parent, const QString& name, const QString& title);

// A settings control from its description: the edit and, where described, its slider beside it.
// `channel` >= 0 names a per-channel control (stem + channel number).
QWidget* NewSettingRow(QWidget* parent, const QString& edit, int channel = -1);

// The widget to lay a page's content out on when it may need more room than the window gives
// it: the content then scrolls instead of being squeezed, and the window's least size stays
// within the screen.
QWidget* ScrollingContent(QWidget* page);

// Enables or disables every input control under `root` (edits, sliders, buttons, lists, date
// pickers); plain labels stay as they are.
void EnableInputs(QWidget* root, bool enabled);

// A tab page: its component name (tsChannels ...) and design caption; pages read and change
// the shared block and raise requests through it.
class EditHistory;

class Page : public QWidget {
    Q_OBJECT
public:
    Page(const QString& name, const QString& caption, SharedBlock& block, QWidget* parent = nullptr);

    QString designCaption() const { return m_caption; }

    // The enabling rule while (not) connected; by default every input control follows.
    virtual void SetConnected(bool connected);

    // The window's undo history; the page wraps each of its edits in one step (none while null).
    void SetEditHistory(EditHistory* history) { m_history = history; }
    EditHistory* History() const { return m_history; }

protected:
    SharedBlock& m_block;
    EditHistory* m_history = nullptr;

private:
    QString m_caption;
};

} // namespace zorvex
