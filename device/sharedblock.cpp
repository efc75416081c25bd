#include "sharedblock.h"

#include <algorithm>

namespace zorvex {

namespace {
constexpr std::size_t InfoMinuteOffset = 7;
constexpr std::size_t InfoCurrentRowOffset = 4;
constexpr std::size_t InfoChannelOffset = 17;
} // namespace

void SharedBlock::Request(std::uint32_t bits) {
    std::scoped_lock lock(DeviceLock);
    RequestFlagsWord |= bits;
}

void SharedBlock::AssignRequests(std::uint32_t word) {
    std::scoped_lock lock(DeviceLock);
    RequestFlagsWord = word;
}

void SharedBlock::ClearRequest(std::uint32_t bits) {
    std::scoped_lock lock(DeviceLock);
    RequestFlagsWord &= ~bits;
}

bool SharedBlock::IsRequested(std::uint32_t bits) const {
    std::scoped_lock lock(DeviceLock);
    return (RequestFlagsWord & bits) != 0;
}

bool SharedBlock::IsRequestedWithout(std::uint32_t bit, std::uint32_t blockers) const {
    std::scoped_lock lock(DeviceLock);
    return (RequestFlagsWord & bit) != 0 && (RequestFlagsWord & blockers) == 0;
}

std::uint32_t SharedBlock::RequestFlags() const {
    std::scoped_lock lock(DeviceLock);
    return RequestFlagsWord;
}

void SharedBlock::MarkScheduleRowChanged(std::size_t row) {
    std::scoped_lock lock(DeviceLock);
    if (row >= RowDirty.size())
        return;
    RowDirty[row] = 1;
    RequestFlagsWord |= rqSetSchedule;
}

std::vector<std::uint8_t> SharedBlock::ScheduleRowDirty() const {
    std::scoped_lock lock(DeviceLock);
    return RowDirty;
}

template <class R> void SharedBlock::load(const R& record, std::uint32_t writeBit, RecordBuffer& buffer) {
    std::scoped_lock lock(DeviceLock);
    RequestFlagsWord &= ~writeBit;
    storeToBuffer(record, buffer);
}

template <class R>
bool SharedBlock::store(R& record, std::uint32_t readBit, std::uint32_t writeBits,
                        const RecordBuffer& buffer) {
    std::scoped_lock lock(DeviceLock);
    RequestFlagsWord &= ~readBit;
    // A pending edit of the same record wins over the reply that crossed it.
    if ((RequestFlagsWord & writeBits) != 0)
        return false;
    record = loadFromBuffer<R>(buffer);
    return true;
}

void SharedBlock::LoadInfo(InfoVariant variant, RecordBuffer& buffer) {
    const std::uint32_t bit = variant == InfoVariant::Time       ? rqSetInfoTime
                              : variant == InfoVariant::Channels ? rqSetInfoChannels
                                                                 : rqSetInfoRow;
    load(Info, bit, buffer);

    auto payload = payloadOf(buffer);
    if (variant != InfoVariant::Time)
        payload[InfoMinuteOffset] = KeepMinute;
    if (variant != InfoVariant::Row)
        payload[InfoCurrentRowOffset] = KeepCurrentRow;
    if (variant != InfoVariant::Channels) {
        for (std::size_t ch = 0; ch < ChannelCount; ++ch)
            detail::storeLE(payload, InfoChannelOffset + 2 * ch, KeepChannel);
    }
}

bool SharedBlock::StoreInfo(const RecordBuffer& buffer) {
    if (!store(Info, rqGetInfo, rqAnyInfoWrite, buffer))
        return false;
    m_arrived |= InfoArrived;
    resizeRows(Info.RowCount);
    return true;
}

void SharedBlock::resizeRows(std::size_t rows) {
    Schedule.resize(rows);
    VisualPoints.resize(rows);
    m_rowArrived.resize(rows, false);
    std::scoped_lock lock(DeviceLock);
    RowDirty.resize(rows);
}

void SharedBlock::LoadConfig(RecordBuffer& buffer) {
    load(Config, rqSetConfig, buffer);
}
bool SharedBlock::StoreConfig(const RecordBuffer& buffer) {
    // A reply that loses against a pending edit still counts: the copy holds the newer value.
    m_arrived |= ConfigArrived;
    return store(Config, rqGetConfig, rqSetConfig, buffer);
}
void SharedBlock::LoadExpert(RecordBuffer& buffer) {
    load(Expert, rqSetExpert, buffer);
}
bool SharedBlock::StoreExpert(const RecordBuffer& buffer) {
    m_arrived |= ExpertArrived;
    return store(Expert, rqGetExpert, rqSetExpert, buffer);
}
void SharedBlock::LoadExpertWeather(RecordBuffer& buffer) {
    load(ExpertWeather, rqSetExpertWeather, buffer);
}
bool SharedBlock::StoreExpertWeather(const RecordBuffer& buffer) {
    m_arrived |= ExpertWeatherArrived;
    return store(ExpertWeather, rqGetExpertWeather, rqSetExpertWeather, buffer);
}
void SharedBlock::StoreChart(const RecordBuffer& buffer) {
    store(Chart, rqGetChart, 0, buffer);
}

bool SharedBlock::StoreScheduleRow(const RecordBuffer& buffer) {
    const auto reply = loadFromBuffer<IndexedScheduleRow>(buffer);
    if (reply.Index < 0 || static_cast<std::size_t>(reply.Index) >= Schedule.size())
        return false;
    Schedule[static_cast<std::size_t>(reply.Index)] = reply.Row;
    m_rowArrived[static_cast<std::size_t>(reply.Index)] = true;
    return true;
}

void SharedBlock::ForgetDownload() {
    m_arrived = 0;
    m_rowArrived.assign(m_rowArrived.size(), false);
}

bool SharedBlock::HoldsCompleteDownload() const {
    constexpr std::uint8_t all = InfoArrived | ConfigArrived | ExpertArrived | ExpertWeatherArrived;
    return m_arrived == all && m_rowArrived.size() == Info.RowCount &&
           std::ranges::all_of(m_rowArrived, [](bool arrived) { return arrived; });
}

bool SharedBlock::LoadChangedScheduleRow(RecordBuffer& buffer) {
    std::scoped_lock lock(DeviceLock);
    const std::size_t rows = std::min({std::size_t{Info.RowCount}, RowDirty.size(), Schedule.size()});
    for (std::size_t i = 0; i < rows; ++i) {
        if (RowDirty[i] == 0)
            continue;
        RowDirty[i] = 0;
        storeToBuffer(IndexedScheduleRow{static_cast<std::int8_t>(i), Schedule[i]}, buffer);
        return true;
    }
    RequestFlagsWord &= ~std::uint32_t{rqSetSchedule};
    return false;
}

void ApplyStartupValues(SharedBlock& block) {
    block.Chart.Samples.fill(NoTemperature);
    block.Config.Lat = 501;
    block.Config.Lon = 85;
}

} // namespace zorvex
