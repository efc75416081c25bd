#include "editablerecords.h"

#include "requestflags.h"
#include "sharedblock.h"

#include <algorithm>
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
bool RestoreRecord(SharedBlock& block, std::uint32_t raised, std::uint32_t bit, R& current, const R& target,
                   const R& other) {
    if ((raised & bit) == 0)
        return true;
    return block.EditAndRequest(bit, [&] { MergeFields(current, target, other); });
}

constexpr std::uint32_t EditableWrites = rqSetConfig | rqSetExpert | rqSetExpertWeather | rqSetSchedule;

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

ChangedRecords Union(const ChangedRecords& a, const ChangedRecords& b) {
    ChangedRecords both{a.bits | b.bits, a.rows};
    both.rows.insert(both.rows.end(), b.rows.begin(), b.rows.end());
    std::sort(both.rows.begin(), both.rows.end());
    both.rows.erase(std::unique(both.rows.begin(), both.rows.end()), both.rows.end());
    return both;
}

ChangedRecords RaisedBetween(std::uint32_t flagsBefore, const std::vector<std::uint8_t>& dirtyBefore,
                             std::uint32_t flagsAfter, const std::vector<std::uint8_t>& dirtyAfter) {
    ChangedRecords raised{flagsAfter & ~flagsBefore & EditableWrites, {}};
    for (std::size_t row = 0; row < dirtyAfter.size(); ++row) {
        if (dirtyAfter[row] != 0 && (row >= dirtyBefore.size() || dirtyBefore[row] == 0))
            raised.rows.push_back(row);
    }
    return raised;
}

bool RestoreFields(SharedBlock& block, const EditableRecords& target, const EditableRecords& other,
                   const ChangedRecords& raised) {
    bool all = RestoreRecord(block, raised.bits, rqSetConfig, block.Config, target.Config, other.Config);
    all = RestoreRecord(block, raised.bits, rqSetExpert, block.Expert, target.Expert, other.Expert) && all;
    all = RestoreRecord(block, raised.bits, rqSetExpertWeather, block.ExpertWeather, target.ExpertWeather,
                        other.ExpertWeather) &&
          all;
    if (raised.rows.empty()) {
        // An empty schedule still asks for the upload, as the edit did.
        return (raised.bits & rqSetSchedule) == 0 || block.Request(rqSetSchedule);
    }
    // The rows are marked one by one; none is stored unless the whole schedule has arrived.
    if (!block.MayWrite(rqSetSchedule))
        return false;
    for (const std::size_t row : raised.rows) {
        // A row the step added or removed, or one the device no longer has, stays as it is.
        if (row >= target.Schedule.size() || row >= other.Schedule.size() || row >= block.Schedule.size())
            continue;
        MergeFields(block.Schedule[row], target.Schedule[row], other.Schedule[row]);
        block.MarkScheduleRowChanged(row);
    }
    return all;
}

} // namespace zorvex
