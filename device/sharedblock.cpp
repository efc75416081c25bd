#include "sharedblock.h"

#include <algorithm>

namespace zorvex {

namespace {
constexpr std::size_t InfoMinuteOffset = 7;
constexpr std::size_t InfoCurrentRowOffset = 4;
constexpr std::size_t InfoChannelOffset = 17;
} // namespace

std::uint8_t SharedBlock::RecordsWrittenBy(std::uint32_t bits) {
    std::uint8_t records = 0;
    if ((bits & rqAnyInfoWrite) != 0)
        records |= InfoArrived;
    if ((bits & rqSetConfig) != 0)
        records |= ConfigArrived;
    if ((bits & rqSetExpert) != 0)
        records |= ExpertArrived;
    if ((bits & rqSetExpertWeather) != 0)
        records |= ExpertWeatherArrived;
    if ((bits & rqSetSchedule) != 0)
        records |= ScheduleArrived;
    return records;
}

bool SharedBlock::mayWriteLocked(std::uint32_t bits) const {
    const std::uint8_t needed = RecordsWrittenBy(bits);
    return (m_arrived & needed) == needed;
}

std::uint32_t SharedBlock::writableLocked(std::uint32_t bits) const {
    constexpr std::uint32_t writeBits[] = {rqSetInfoTime, rqSetInfoChannels, rqSetInfoRow,      rqSetConfig,
                                           rqSetSchedule, rqSetExpert,       rqSetExpertWeather};
    for (const std::uint32_t bit : writeBits)
        if ((bits & bit) != 0 && !mayWriteLocked(bit))
            bits &= ~bit;
    return bits;
}

bool SharedBlock::MayWrite(std::uint32_t bits) const {
    std::scoped_lock lock(DeviceLock);
    return mayWriteLocked(bits);
}

void SharedBlock::raiseLocked(std::uint32_t bits) {
    if ((bits & rqSetInfoChannels) != 0)
        m_keptChannels = 0;
    RequestFlagsWord |= bits;
}

bool SharedBlock::Request(std::uint32_t bits) {
    std::scoped_lock lock(DeviceLock);
    const std::uint32_t allowed = writableLocked(bits);
    raiseLocked(allowed);
    return allowed == bits;
}

bool SharedBlock::RequestChannels(std::uint8_t sentChannels) {
    constexpr std::uint8_t allChannels = (1u << ChannelCount) - 1;
    std::scoped_lock lock(DeviceLock);
    if (writableLocked(rqSetInfoChannels) == 0)
        return false;
    if ((RequestFlagsWord & rqSetInfoChannels) != 0)
        m_keptChannels &= static_cast<std::uint8_t>(~sentChannels);
    else
        m_keptChannels = static_cast<std::uint8_t>(~sentChannels & allChannels);
    RequestFlagsWord |= rqSetInfoChannels;
    return true;
}

void SharedBlock::AssignRequests(std::uint32_t word) {
    std::scoped_lock lock(DeviceLock);
    RequestFlagsWord = 0;
    raiseLocked(writableLocked(word));
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

bool SharedBlock::MarkScheduleRowChanged(std::size_t row) {
    std::scoped_lock lock(DeviceLock);
    if (row >= RowDirty.size() || !mayWriteLocked(rqSetSchedule))
        return false;
    RowDirty[row] = 1;
    RequestFlagsWord |= rqSetSchedule;
    return true;
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
bool SharedBlock::store(R& record, std::uint32_t readBit, std::uint32_t writeBits, const RecordBuffer& buffer,
                        std::uint8_t arrived) {
    std::scoped_lock lock(DeviceLock);
    RequestFlagsWord &= ~readBit;
    // A reply that loses against a pending edit still counts as read: the copy holds the newer
    // value, edited after an earlier arrival.
    m_arrived |= arrived;
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
    std::uint8_t kept = 0;
    {
        std::scoped_lock lock(DeviceLock);
        RequestFlagsWord &= ~bit;
        storeToBuffer(Info, buffer);
        if (variant == InfoVariant::Channels)
            std::swap(kept, m_keptChannels);
    }

    auto payload = payloadOf(buffer);
    if (variant != InfoVariant::Time)
        payload[InfoMinuteOffset] = KeepMinute;
    if (variant != InfoVariant::Row)
        payload[InfoCurrentRowOffset] = KeepCurrentRow;
    for (std::size_t ch = 0; ch < ChannelCount; ++ch)
        if (variant != InfoVariant::Channels || (kept & (1u << ch)) != 0)
            detail::storeLE(payload, InfoChannelOffset + 2 * ch, KeepChannel);
}

bool SharedBlock::StoreInfo(const RecordBuffer& buffer) {
    if (!store(Info, rqGetInfo, rqAnyInfoWrite, buffer, InfoArrived))
        return false;
    resizeRows(Info.RowCount);
    return true;
}

void SharedBlock::resizeRows(std::size_t rows) {
    Schedule.resize(rows);
    VisualPoints.resize(rows);
    std::scoped_lock lock(DeviceLock);
    RowDirty.resize(rows);
    if (rows < m_rowArrived.size())
        m_rowsArrived = static_cast<std::size_t>(
            std::count(m_rowArrived.begin(), m_rowArrived.begin() + static_cast<std::ptrdiff_t>(rows), true));
    m_rowArrived.resize(rows, false);
    m_arrived |= InfoArrived;
    updateScheduleArrivalLocked();
}

void SharedBlock::updateScheduleArrivalLocked() {
    // Rows added by a larger row count have not been read yet, so the schedule stops counting
    // as arrived until they have.
    if ((m_arrived & InfoArrived) != 0 && m_rowsArrived == m_rowArrived.size())
        m_arrived |= ScheduleArrived;
    else
        m_arrived &= static_cast<std::uint8_t>(~ScheduleArrived);
}

void SharedBlock::LoadConfig(RecordBuffer& buffer) {
    load(Config, rqSetConfig, buffer);
}
bool SharedBlock::StoreConfig(const RecordBuffer& buffer) {
    return store(Config, rqGetConfig, rqSetConfig, buffer, ConfigArrived);
}
void SharedBlock::LoadExpert(RecordBuffer& buffer) {
    load(Expert, rqSetExpert, buffer);
}
bool SharedBlock::StoreExpert(const RecordBuffer& buffer) {
    return store(Expert, rqGetExpert, rqSetExpert, buffer, ExpertArrived);
}
void SharedBlock::LoadExpertWeather(RecordBuffer& buffer) {
    load(ExpertWeather, rqSetExpertWeather, buffer);
}
bool SharedBlock::StoreExpertWeather(const RecordBuffer& buffer) {
    return store(ExpertWeather, rqGetExpertWeather, rqSetExpertWeather, buffer, ExpertWeatherArrived);
}
void SharedBlock::StoreChart(const RecordBuffer& buffer) {
    store(Chart, rqGetChart, 0, buffer, 0);
}

bool SharedBlock::StoreScheduleRow(const RecordBuffer& buffer) {
    const auto reply = loadFromBuffer<IndexedScheduleRow>(buffer);
    if (reply.Index < 0 || static_cast<std::size_t>(reply.Index) >= Schedule.size())
        return false;
    const auto index = static_cast<std::size_t>(reply.Index);
    Schedule[index] = reply.Row;
    std::scoped_lock lock(DeviceLock);
    if (index < m_rowArrived.size() && !m_rowArrived[index]) {
        m_rowArrived[index] = true;
        ++m_rowsArrived;
        updateScheduleArrivalLocked();
    }
    return true;
}

void SharedBlock::ForgetDownload() {
    std::scoped_lock lock(DeviceLock);
    m_arrived = 0;
    m_rowArrived.assign(m_rowArrived.size(), false);
    m_rowsArrived = 0;
}

std::uint8_t SharedBlock::ArrivedRecords() const {
    std::scoped_lock lock(DeviceLock);
    return m_arrived;
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
