#include "schedulegrid.h"

#include "language.h"
#include "schedulecells.h"

#include <QLineEdit>
#include <QPainter>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {
constexpr int TextInset = 2;
} // namespace

QColor ChannelTint(int colorCode) {
    const std::size_t code = colorCode >= 0 && colorCode < 16 ? static_cast<std::size_t>(colorCode) : 0;
    return QColor::fromRgb(ChannelColors[code] & 0x00FFFFFFu);
}

std::optional<CellLook> ScheduleCellLook(int column, int line, const QString& text, int currentRow,
                                         const std::array<std::uint8_t, 4>& colorNames,
                                         const QPalette& palette) {
    const QColor plainText = palette.color(QPalette::Text);
    if (column == ScheduleLineColumn) {
        if (line == currentRow)
            return CellLook{palette.color(QPalette::Highlight), palette.color(QPalette::HighlightedText)};
        return CellLook{palette.color(QPalette::Button), palette.color(QPalette::ButtonText)};
    }
    if (IsChannelColumn(column))
        return CellLook{
            ChannelTint(colorNames[static_cast<std::size_t>(column - ScheduleFirstChannelColumn)]),
            // Dark on the tint also in a disabled grid, where the palette's text is grey.
            palette.color(QPalette::Active, QPalette::Text)};
    if (IsSwitchColumn(column) || column == ScheduleTimerColumn) {
        const bool off = text == LookupMessage(u"OFF"_s);
        return CellLook{palette.color(off ? QPalette::Button : QPalette::Base), plainText};
    }
    return std::nullopt;
}

ScheduleCellDelegate::ScheduleCellDelegate(EditHandler onEdit, LookRule lookOf, QObject* parent)
    : QStyledItemDelegate(parent), m_onEdit(std::move(onEdit)), m_lookOf(std::move(lookOf)) {}

QWidget* ScheduleCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        const QPersistentModelIndex cell(index);
        connect(line, &QLineEdit::textEdited, line, [this, cell](const QString& text) {
            if (cell.isValid())
                m_onEdit(cell.column(), cell.row(), text);
        });
    }
    return editor;
}

void ScheduleCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    // The cell takes each keystroke's text at once; writing the same text back into the editor
    // would move its cursor to the end.
    if (auto* line = qobject_cast<QLineEdit*>(editor);
        line != nullptr && line->text() == index.data().toString())
        return;
    QStyledItemDelegate::setEditorData(editor, index);
}

void ScheduleCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    const bool marked = (option.state & (QStyle::State_Selected | QStyle::State_HasFocus)) != 0;
    const std::optional<CellLook> look = marked ? std::nullopt : m_lookOf(index);
    if (!look) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    painter->save();
    painter->fillRect(option.rect, look->fill);
    painter->setPen(look->text);
    painter->setFont(option.font);
    painter->drawText(option.rect.adjusted(TextInset, TextInset, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                      index.data().toString());
    painter->restore();
}

} // namespace zorvex
