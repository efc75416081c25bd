#pragma once

#include "pagebuilder.h"

#include <QPoint>

class QMenu;
class QMouseEvent;
class QPlainTextEdit;
class QTableWidget;

namespace zorvex {

// The page tsSchedule: the grid sgSchedule with one line per schedule row, the help memo
// memDescription and the column menu pumCol.
//
// The handlers count grid rows as the schedule grid does: row 0 is the header, so schedule line
// i is grid row i + 1 (and row i of the table widget below the header). Every edit reads its
// line back into Schedule at once and marks it for upload; paste and swap change Config too.
class SchedulePage : public Page {
    Q_OBJECT
public:
    static constexpr int ColumnCount = 10;

    explicit SchedulePage(SharedBlock& block, QWidget* parent = nullptr);

    // The fixed columns: "Line" 30 wide, time 46, the channels, then Display, Clouds, Storms and
    // Timer 50 wide each.
    void BuildColumns();
    void SetChannelColumnWidth(int width);
    void SetChannelHeader(int channel, const QString& text);
    // The header of a column, which widens the column to it when narrower.
    void SetHeader(int column, const QString& text);
    // The grid's column headers as they read now.
    QStringList ColumnHeaders() const;

    // Header of the start column (time, or altitude in mode Geo), max(2, rows + 1) grid rows,
    // every cell from the schedule; an empty schedule shows one empty, inert line.
    void FillScheduleGrid();
    // The device's current line as last shown (sgSchedule.Tag); false when unchanged.
    bool ShowCurrentRow(int row);
    // Paints the cells again (the channel colours may have changed), without refilling them.
    void RepaintGrid();

    // Reads grid row index + 1 back into Schedule[index] and marks it for upload; nothing unless
    // index is a row of Schedule.
    void ParseScheduleRow(int index);
    // The cell editor's text changed: the cell takes it, and a non-empty text is read back.
    void sgScheduleSetEditText(int column, int row, const QString& text);
    // The switch columns cannot be selected (a click toggles them instead).
    static bool sgScheduleSelectCell(int column, int row);
    // A press over the grid: a left click toggles a switch; a right click remembers its channel
    // column, opens the column menu over a channel header, and over a line number makes that
    // line the device's current one.
    void sgScheduleMouseDown(Qt::MouseButton button, int column, int row, const QPoint& globalPos);
    // The grid has moved a line from grid row `from` to `to`: the lines in between are renumbered
    // and read back.
    void sgScheduleRowMoved(int from, int to);
    // Moves the texts of a line as a drag of its number does, then sgScheduleRowMoved.
    void MoveLine(int from, int to);

    void pumColPopup();
    void mnuCopyColClick();
    void mnuPasteColClick();
    void mnuSwapColClick();
    int ClickedColumn() const { return m_clickedColumn; }
    int CopiedColumn() const { return m_copiedColumn; }

Q_SIGNALS:
    // Paste or swap changed the channels' colour codes.
    void channelNamesChanged();
    // Paste or swap changed the schedule while no download is pending: the grid is refilled and
    // the visualisation redrawn.
    void scheduleChanged();
    // Paste or swap before the download is complete: `whatKey` names the refused edit.
    void editRefused(const QString& whatKey);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetCell(int row, int column, const QString& text);
    QString CellText(int row, int column) const;
    QStringList LineTexts(int row) const;
    // The undo step's name for an edit of a cell in `column` of schedule line `line`.
    QString CellStepLabel(int column, int line) const;
    bool GridMousePress(QMouseEvent* event);
    void GridMouseRelease(QMouseEvent* event);

    QTableWidget* m_grid;
    QPlainTextEdit* m_description;
    QMenu* m_columnMenu;
    int m_currentRow = 0; // sgSchedule.Tag
    int m_clickedColumn = 0;
    int m_copiedColumn = -1;
    int m_dragFrom = -1; // grid row whose number is being dragged
};

} // namespace zorvex
