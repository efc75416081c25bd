#include "scheduleedits.h"

#include "sharedblock.h"

#include <utility>

namespace zorvex {

namespace {

template <class ChangeChannel>
bool ChangeColumns(SharedBlock& block, int copied, int clicked, ChangeChannel&& change) {
    if (!IsScheduleChannel(copied) || !IsScheduleChannel(clicked))
        return false;
    const auto from = static_cast<std::size_t>(copied);
    const auto to = static_cast<std::size_t>(clicked);
    for (ScheduleRow& row : block.Schedule)
        change(row.Color16[from], row.Color16[to]);
    block.EditAndRequest(rqSetConfig,
                         [&] { change(block.Config.ColorName[from], block.Config.ColorName[to]); });
    MarkAllScheduleRowsChanged(block);
    return true;
}

} // namespace

bool IsScheduleChannel(int channel) {
    return channel >= 0 && channel < static_cast<int>(ChannelCount);
}

bool PasteScheduleColumn(SharedBlock& block, int copied, int clicked) {
    return ChangeColumns(block, copied, clicked, [](const auto& from, auto& to) { to = from; });
}

bool SwapScheduleColumns(SharedBlock& block, int copied, int clicked) {
    return ChangeColumns(block, copied, clicked, [](auto& a, auto& b) { std::swap(a, b); });
}

bool SetCurrentScheduleRow(SharedBlock& block, int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= block.Schedule.size())
        return false;
    block.EditAndRequest(rqSetInfoRow, [&] { block.Info.CurrentRow = static_cast<std::int8_t>(row); });
    return true;
}

void MarkAllScheduleRowsChanged(SharedBlock& block) {
    for (std::size_t row = 0; row < block.Schedule.size(); ++row)
        block.MarkScheduleRowChanged(row);
    // An empty schedule still asks for the upload; the thread finds no row and clears the bit.
    block.Request(rqSetSchedule);
}

} // namespace zorvex
