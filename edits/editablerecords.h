#pragma once

#include "records.h"

#include <cstdint>
#include <vector>

namespace zorvex {

class SharedBlock;

// The records a user edits in the window: the settings and the schedule rows. Info (the clock,
// the current line, the channel levels) changes by actions only and is not part of it.
struct EditableRecords {
    zorvex::Config Config;
    zorvex::Expert Expert;
    zorvex::ExpertWeather ExpertWeather;
    std::vector<ScheduleRow> Schedule;
};
EditableRecords EditableRecordsOf(const SharedBlock& block);

// True when the two hold the same values in every field.
bool SameRecords(const EditableRecords& a, const EditableRecords& b);

// The write bits of the records that differ between `a` and `b` (rqSetConfig, rqSetExpert,
// rqSetExpertWeather, rqSetSchedule) and the schedule rows that differ.
struct ChangedRecords {
    std::uint32_t bits = 0;
    std::vector<std::size_t> rows;
};
ChangedRecords ChangesBetween(const EditableRecords& a, const EditableRecords& b);
// Both: every bit and every row of either.
ChangedRecords Union(const ChangedRecords& a, const ChangedRecords& b);
// The write bits of the editable records and the marked rows in `after` that `before` lacks.
ChangedRecords RaisedBetween(std::uint32_t flagsBefore, const std::vector<std::uint8_t>& dirtyBefore,
                             std::uint32_t flagsAfter, const std::vector<std::uint8_t>& dirtyAfter);

// Stores into `block` every field in which `target` differs from `other`, leaving the fields the
// step did not touch as they are now (a mode switch or a re-read since keeps its values), and
// raises `raised` (the bits and rows the step raised) through the block's write rule: a record
// that has not arrived in this connection is left alone. False when a record was refused.
bool RestoreFields(SharedBlock& block, const EditableRecords& target, const EditableRecords& other,
                   const ChangedRecords& raised);

} // namespace zorvex
