#pragma once

#include <QColor>
#include <QPalette>
#include <QStyledItemDelegate>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace zorvex {

// The display colour of a channel's colour code, opaque; codes outside 0..15 look like code 0.
QColor ChannelTint(int colorCode);

// How the page paints a cell itself: the fill under it and the colour of its text.
struct CellLook {
    QColor fill;
    QColor text;
};

// What the schedule grid paints under a cell of line `line` (a schedule index) that is neither
// selected nor focused: column 0 in the system highlight colour on the device's current line and
// in the button face colour elsewhere, the channel columns in their channel's tint, the switch and
// timer columns in the button face colour when they read the translated "OFF" and in the window
// colour otherwise; the text in the matching text colour. Empty for the start column, which the
// grid paints as usual.
std::optional<CellLook> ScheduleCellLook(int column, int line, const QString& text, int currentRow,
                                         const std::array<std::uint8_t, 4>& colorNames,
                                         const QPalette& palette);

// Edits and paints the cells of sgSchedule. Every change of an editor's text reaches `onEdit` at
// once (column and table row of the cell), so that a line is read back at each keystroke; cells
// with a look from `lookOf` are filled with it and their text drawn top-left, 2 px in.
class ScheduleCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using EditHandler = std::function<void(int column, int row, const QString& text)>;
    using LookRule = std::function<std::optional<CellLook>(const QModelIndex& index)>;

    ScheduleCellDelegate(EditHandler onEdit, LookRule lookOf, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    EditHandler m_onEdit;
    LookRule m_lookOf;
};

} // namespace zorvex
