#pragma once

#include "pagebuilder.h"

class QMenu;
class QPlainTextEdit;
class QTableWidget;

namespace zorvex {

// The page tsSchedule: the grid sgSchedule with one line per schedule row, the help memo
// memDescription and the column menu pumCol. Editing the grid comes with the schedule work;
// this page shows the rows (FillScheduleGrid) and the device's current line.
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

    // Header of the time column, row count max(2, rows + 1), every cell from the schedule.
    void FillScheduleGrid();
    // The device's current line as last shown (sgSchedule.Tag); false when unchanged.
    bool ShowCurrentRow(int row);

private:
    void SetCell(int row, int column, const QString& text);

    QTableWidget* m_grid;
    QPlainTextEdit* m_description;
    QMenu* m_columnMenu;
    int m_currentRow = 0;
};

} // namespace zorvex
