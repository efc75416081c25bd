#include "arrivals.h"

#include "sharedblock.h"

namespace zorvex::test {

namespace {
template <class R> RecordBuffer BufferOf(const R& record) {
    RecordBuffer buffer{};
    storeToBuffer(record, buffer);
    return buffer;
}
} // namespace

void ArriveAsHeld(SharedBlock& block) {
    block.StoreInfo(BufferOf(block.Info));
    block.StoreConfig(BufferOf(block.Config));
    block.StoreExpert(BufferOf(block.Expert));
    block.StoreExpertWeather(BufferOf(block.ExpertWeather));
    for (std::size_t row = 0; row < block.Schedule.size(); ++row)
        block.StoreScheduleRow(
            BufferOf(IndexedScheduleRow{static_cast<std::int8_t>(row), block.Schedule[row]}));
}

} // namespace zorvex::test
