// Any bytes as the reply to any record read: the link's own judgement of the reply, then the
// shared block's store of the decoded record, as the communication thread does it.
#include "commands.h"
#include "deviceprotocol.h"
#include "sharedblock.h"

#include <array>
#include <cstdint>

using namespace zorvex;

namespace {

struct ReadTarget {
    const Command* command;
    bool (*store)(SharedBlock&, const RecordBuffer&);
};

const std::array<ReadTarget, 8> Targets{{
    {&cmd::GetDevice, [](SharedBlock&, const RecordBuffer&) { return true; }},
    {&cmd::GetInfo, [](SharedBlock& b, const RecordBuffer& r) { return b.StoreInfo(r); }},
    {&cmd::GetConfig, [](SharedBlock& b, const RecordBuffer& r) { return b.StoreConfig(r); }},
    {&cmd::GetSchedule, [](SharedBlock& b, const RecordBuffer& r) { return b.StoreScheduleRow(r); }},
    {&cmd::GetExpert, [](SharedBlock& b, const RecordBuffer& r) { return b.StoreExpert(r); }},
    {&cmd::GetExpertWeather, [](SharedBlock& b, const RecordBuffer& r) { return b.StoreExpertWeather(r); }},
    {&cmd::GetChart,
     [](SharedBlock& b, const RecordBuffer& r) {
         b.StoreChart(r);
         return true;
     }},
    {&cmd::GetBootInfo, [](SharedBlock&, const RecordBuffer&) { return true; }},
}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const ReadTarget& target = Targets[data[0] % Targets.size()];
    const QByteArray reply(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    RecordBuffer buffer{};
    QString error;
    static SharedBlock block;
    if (DecodeReply(reply, target.command->code, target.command->payloadLength, buffer, error) ==
        ReplyVerdict::Decoded) {
        target.store(block, buffer);
        // The rows the next Info announces are written back as the thread would send them.
        RecordBuffer out{};
        while (block.LoadChangedScheduleRow(out)) {
        }
        block.MarkScheduleRowChanged(std::size_t{data[0]});
    }
    return 0;
}
