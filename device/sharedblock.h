#pragma once

#include "recordbuffer.h"
#include "records.h"
#include "requestflags.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

namespace zorvex {

// Which part of Info a SetInfo write carries; the other parts go out as leave-unchanged markers.
enum class InfoVariant { Time, Channels, Row };

// Five floats per schedule row, kept by the visualisation; resized together with the schedule.
using VisualPoint = std::array<float, 5>;

// The one process-wide mirror of the device state. The record copies and the schedule are
// touched on the user-interface thread only (the communication thread reaches them through
// synchronous calls); RequestFlags and ScheduleRowDirty are guarded by DeviceLock, which is
// held only for the moment of one test or change and never across a transaction.
class SharedBlock {
public:
    zorvex::Info Info;
    zorvex::Config Config;
    zorvex::Expert Expert;
    zorvex::ExpertWeather ExpertWeather;
    zorvex::Chart Chart;
    std::vector<ScheduleRow> Schedule;
    std::vector<VisualPoint> VisualPoints;

    // --- requests (each call is one short hold of DeviceLock) ---
    // Write bits go in only for records that arrived in this connection (see MayWrite); the
    // others are dropped. True when every bit went in.
    bool Request(std::uint32_t bits);
    void AssignRequests(std::uint32_t word);
    void ClearRequest(std::uint32_t bits);
    bool IsRequested(std::uint32_t bits) const; // any of the bits set
    // Tests `bit` and that none of `blockers` is set, in one lock hold.
    bool IsRequestedWithout(std::uint32_t bit, std::uint32_t blockers) const;
    std::uint32_t RequestFlags() const;

    // Runs `edit` with DeviceLock held and raises `bits` in the same hold, so that an edit and
    // its request are never seen apart. Neither happens, and the result is false, when a write
    // bit among `bits` belongs to a record that has not arrived.
    template <class F> bool EditAndRequest(std::uint32_t bits, F&& edit) {
        std::scoped_lock lock(DeviceLock);
        if (!mayWriteLocked(bits))
            return false;
        edit();
        raiseLocked(bits);
        return true;
    }
    // Raises the channels write for the channels in `sentChannels` (bit n: channel n) only: the
    // others go out with the leave-unchanged marker, so a lamp fading by its schedule keeps them
    // fading. Added to a channels write already pending, its channels are sent too. Every other
    // way of raising the channels write sends all four. False before Info has arrived.
    bool RequestChannels(std::uint8_t sentChannels);

    // Marks one schedule row as changed and raises rqSetSchedule; false (nothing marked) before
    // every row has arrived.
    bool MarkScheduleRowChanged(std::size_t row);
    std::vector<std::uint8_t> ScheduleRowDirty() const;

    // --- load (for writing) and store (after reading) ---
    void LoadInfo(InfoVariant variant, RecordBuffer& buffer);
    bool StoreInfo(const RecordBuffer& buffer);
    void LoadConfig(RecordBuffer& buffer);
    bool StoreConfig(const RecordBuffer& buffer);
    void LoadExpert(RecordBuffer& buffer);
    bool StoreExpert(const RecordBuffer& buffer);
    void LoadExpertWeather(RecordBuffer& buffer);
    bool StoreExpertWeather(const RecordBuffer& buffer);
    void StoreChart(const RecordBuffer& buffer);
    bool StoreScheduleRow(const RecordBuffer& buffer);
    bool LoadChangedScheduleRow(RecordBuffer& buffer);

    std::mutex& Lock() { return DeviceLock; }

    // True for the first caller only: the advice for a port that refused to open is given once
    // per run, however many threads and attempts meet the same refusal. Any thread.
    bool TakePortHelpTurn() { return !m_portHelpGiven.test_and_set(); }

    // --- what arrived from the device since the last identification ---
    // A record is written to the device only after it was read in this connection, so that an
    // edit never sends the zeros (or another lamp's values) of a copy that was never filled; the
    // automatic backup is written only from a complete set for the same reason.
    enum ArrivedRecord : std::uint8_t {
        InfoArrived = 1,
        ConfigArrived = 2,
        ExpertArrived = 4,
        ExpertWeatherArrived = 8,
        ScheduleArrived = 16, // Info arrived and then every one of its rows
        EveryRecordArrived = 31,
    };
    // A new connection or identification: nothing counts as read any more. Any thread.
    void ForgetDownload();
    // The ArrivedRecord bits of what arrived since.
    std::uint8_t ArrivedRecords() const;
    bool HasArrived(std::uint8_t records) const { return (ArrivedRecords() & records) == records; }
    // Info, Config, Expert, ExpertWeather and every schedule row have arrived.
    bool HoldsCompleteDownload() const { return HasArrived(EveryRecordArrived); }
    // Every write bit among `bits` belongs to a record that has arrived; read bits and one-shot
    // commands always may be raised.
    bool MayWrite(std::uint32_t bits) const;
    // The ArrivedRecord bits a request's write bits need.
    static std::uint8_t RecordsWrittenBy(std::uint32_t bits);

private:
    template <class R> void load(const R& record, std::uint32_t writeBit, RecordBuffer& buffer);
    template <class R>
    bool store(R& record, std::uint32_t readBit, std::uint32_t writeBits, const RecordBuffer& buffer,
               std::uint8_t arrived);
    void resizeRows(std::size_t rows);
    // With DeviceLock held.
    bool mayWriteLocked(std::uint32_t bits) const;
    std::uint32_t writableLocked(std::uint32_t bits) const;
    void raiseLocked(std::uint32_t bits);
    void updateScheduleArrivalLocked();

    // Guarded by DeviceLock: the communication thread forgets, the window reads and stores.
    std::uint8_t m_arrived = 0;
    std::vector<bool> m_rowArrived;
    std::size_t m_rowsArrived = 0;

    // Guarded by DeviceLock: the channels the pending channels write leaves unchanged.
    std::uint8_t m_keptChannels = 0;

    std::atomic_flag m_portHelpGiven;
    mutable std::mutex DeviceLock;
    std::uint32_t RequestFlagsWord = 0;
    std::vector<std::uint8_t> RowDirty;
};

// Values the window sets at start-up until the device delivers its own: every chart sample
// empty, latitude 50.1 and longitude 8.5.
void ApplyStartupValues(SharedBlock& block);

// Leave-unchanged markers of a SetInfo write.
inline constexpr std::uint8_t KeepMinute = 255;
inline constexpr std::uint8_t KeepCurrentRow = 255;
inline constexpr std::uint16_t KeepChannel = 65535;

} // namespace zorvex
