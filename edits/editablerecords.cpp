#include "editablerecords.h"

#include "requestflags.h"
#include "sharedblock.h"

#include <cstdint>
#include <type_traits>

namespace zorvex {

namespace {

template <class R> std::vector<std::int64_t> FieldValues(const R& record) {
    std::vector<std::int64_t> values;
    visitFields(record, [&](const FieldName&, std::size_t, const auto& value) { values.push_back(value); });
    return values;
}

template <class R> bool SameFields(const R& a, const R& b) {
    return FieldValues(a) == FieldValues(b);
}

// current := target in every field where target and other differ.
template <class R> void MergeFields(R& current, const R& target, const R& other) {
    const std::vector<std::int64_t> wanted = FieldValues(target);
    const std::vector<std::int64_t> left = FieldValues(other);
    std::size_t i = 0;
    visitFields(current, [&](const FieldName&, std::size_t, auto& value) {
        if (wanted[i] != left[i])
            value = static_cast<std::remove_cvref_t<decltype(value)>>(wanted[i]);
        ++i;
    });
}

template <class R>
bool RestoreRecord(SharedBlock& block, std::uint32_t bit, R& current, const R& target, const R& other) {
    if (SameFields(target, other))
        return true;
    return block.EditAndRequest(bit, [&] { MergeFields(current, target, other); });
}

} // namespace

EditableRecords EditableRecordsOf(const SharedBlock& block) {
    return {block.Config, block.Expert, block.ExpertWeather, block.Schedule};
}

bool SameRecords(const EditableRecords& a, const EditableRecords& b) {
    return ChangesBetween(a, b).bits == 0;
}

ChangedRecords ChangesBetween(const EditableRecords& a, const EditableRecords& b) {
    ChangedRecords changed;
    if (!SameFields(a.Config, b.Config))
        changed.bits |= rqSetConfig;
    if (!SameFields(a.Expert, b.Expert))
        changed.bits |= rqSetExpert;
    if (!SameFields(a.ExpertWeather, b.ExpertWeather))
        changed.bits |= rqSetExpertWeather;
    const std::size_t rows = std::max(a.Schedule.size(), b.Schedule.size());
    for (std::size_t row = 0; row < rows; ++row) {
        if (row >= a.Schedule.size() || row >= b.Schedule.size() || a.Schedule[row] != b.Schedule[row])
            changed.rows.push_back(row);
    }
    if (!changed.rows.empty())
        changed.bits |= rqSetSchedule;
    return changed;
}

bool RestoreFields(SharedBlock& block, const EditableRecords& target, const EditableRecords& other) {
    bool all = RestoreRecord(block, rqSetConfig, block.Config, target.Config, other.Config);
    all = RestoreRecord(block, rqSetExpert, block.Expert, target.Expert, other.Expert) && all;
    all = RestoreRecord(block, rqSetExpertWeather, block.ExpertWeather, target.ExpertWeather,
                        other.ExpertWeather) &&
          all;
    const ChangedRecords changed = ChangesBetween(target, other);
    if (changed.rows.empty())
        return all;
    // The rows are marked one by one; none is stored unless the whole schedule has arrived.
    if (!block.MayWrite(rqSetSchedule))
        return false;
    for (const std::size_t row : changed.rows) {
        // A row the step added or removed, or one the device no longer has, stays as it is.
        if (row >= target.Schedule.size() || row >= other.Schedule.size() || row >= block.Schedule.size())
            continue;
        MergeFields(block.Schedule[row], target.Schedule[row], other.Schedule[row]);
        block.MarkScheduleRowChanged(row);
    }
    return all;
}

} // namespace zorvex
