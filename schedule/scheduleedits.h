#pragma once

namespace zorvex {

class SharedBlock;

// Commands of the schedule that change more than one cell. Each stores into the shared block
// and raises its request bits; none touches a widget.

// True for the channel numbers of a schedule column (0..3).
bool IsScheduleChannel(int channel);

// Copies the remembered channel onto the clicked one: its colour code in Config.ColorName and
// its level in every row. Every row and Config are marked for upload, also when both channels
// are the same. Nothing happens, and false is returned, unless both lie in 0..3.
bool PasteScheduleColumn(SharedBlock& block, int copied, int clicked);
// Exchanges the colour codes and the levels of the two channels in every row; marks as paste.
bool SwapScheduleColumns(SharedBlock& block, int copied, int clicked);

// Makes `row` the device's current line (Info.CurrentRow) and raises rqSetInfoRow. Nothing
// happens, and false is returned, unless `row` is a row of Schedule.
bool SetCurrentScheduleRow(SharedBlock& block, int row);

// Marks every row of Schedule for upload and raises rqSetSchedule.
void MarkAllScheduleRowsChanged(SharedBlock& block);

} // namespace zorvex
