#include "simulator.h"

#include "commands.h"
#include "defaultrecords.h"
#include "hexline.h"

namespace zorvex::devsim {

namespace {

constexpr std::uint8_t BootloaderType = 2;

template <class R> std::vector<std::uint8_t> encoded(const R& record) {
    std::vector<std::uint8_t> bytes(RecordSize<R>);
    encodeRecord(record, bytes);
    return bytes;
}

// A payload decodes as record R only when it has exactly R's wire size.
template <class R> bool fits(std::span<const std::uint8_t> payload) {
    return payload.size() == RecordSize<R>;
}

std::uint8_t codeByte(const Command& command) {
    const auto bytes = decodeHex(command.code);
    return bytes ? (*bytes)[0] : 0;
}

const std::uint8_t GetDevice = codeByte(cmd::GetDevice);
const std::uint8_t GetInfo = codeByte(cmd::GetInfo);
const std::uint8_t SetInfo = codeByte(cmd::SetInfo);
const std::uint8_t GetConfig = codeByte(cmd::GetConfig);
const std::uint8_t SetConfig = codeByte(cmd::SetConfig);
const std::uint8_t GetSchedule = codeByte(cmd::GetSchedule);
const std::uint8_t SetSchedule = codeByte(cmd::SetSchedule);
const std::uint8_t GetExpert = codeByte(cmd::GetExpert);
const std::uint8_t SetExpert = codeByte(cmd::SetExpert);
const std::uint8_t GetExpertWeather = codeByte(cmd::GetExpertWeather);
const std::uint8_t SetExpertWeather = codeByte(cmd::SetExpertWeather);
const std::uint8_t GetChart = codeByte(cmd::GetChart);
const std::uint8_t Special = codeByte(cmd::SaveEEPROM);
const std::uint8_t BootReset = codeByte(cmd::BootReset);
const std::uint8_t FlashBlock = codeByte(cmd::FlashBlock);

} // namespace

Simulator::Simulator(CivilTime start, MonoTime now) : model_(DefaultRowCount, true, start, now) {}

void Simulator::enterBootloader() {
    inBootloader_ = true;
    bootloader_.beginSession();
}

void Simulator::enterApplication(MonoTime now) {
    if (inBootloader_ && bootloader_.flashedThisSession())
        model_.restoreDefaults(now);
    inBootloader_ = false;
}

Reply Simulator::handleLine(std::string_view line, MonoTime now) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    const auto bytes = decodeHex(line);
    if (!bytes || bytes->empty())
        return Reply{};
    const std::uint8_t code = bytes->front();
    const auto payload = std::span<const std::uint8_t>(*bytes).subspan(1);
    return shape(inBootloader_ ? bootloaderRequest(code, payload, now)
                               : applicationRequest(code, payload, now));
}

Simulator::Answer Simulator::applicationRequest(std::uint8_t code, std::span<const std::uint8_t> payload,
                                                MonoTime now) {
    const Answer ack{Outcome::Ack, code, {}};
    if (code & 0x80) {
        if (!payload.empty())
            return Answer{};
        Answer read{Outcome::Read, code, {}};
        if (code == GetDevice)
            read.payload = encoded(Device{identity_.type, identity_.version});
        else if (code == GetInfo)
            read.payload = encoded(model_.info(now));
        else if (code == GetConfig)
            read.payload = encoded(model_.config());
        else if (code == GetSchedule)
            read.payload = encoded(model_.nextScheduleRow());
        else if (code == GetExpert)
            read.payload = encoded(model_.expert());
        else if (code == GetExpertWeather)
            read.payload = encoded(model_.expertWeather());
        else if (code == GetChart)
            read.payload = encoded(model_.chart());
        else
            return Answer{};
        return read;
    }
    if (code == SetInfo && fits<Info>(payload)) {
        model_.applySetInfo(decodeRecord<Info>(payload), now);
        return ack;
    }
    if (code == SetConfig && fits<Config>(payload)) {
        model_.setConfig(decodeRecord<Config>(payload), now);
        return ack;
    }
    if (code == SetSchedule && fits<IndexedScheduleRow>(payload)) {
        // The device acknowledges a row with an index it does not hold, but keeps nothing.
        model_.setScheduleRow(decodeRecord<IndexedScheduleRow>(payload));
        return ack;
    }
    if (code == SetExpert && fits<Expert>(payload)) {
        model_.setExpert(decodeRecord<Expert>(payload));
        return ack;
    }
    if (code == SetExpertWeather && fits<ExpertWeather>(payload)) {
        model_.setExpertWeather(decodeRecord<ExpertWeather>(payload));
        return ack;
    }
    if (code == Special && payload.size() == 1) {
        switch (static_cast<SpecialCommand>(payload[0])) {
        case SpecialCommand::StartBootloader:
            // The application jumps into the bootloader without a word.
            enterBootloader();
            return Answer{};
        case SpecialCommand::SaveEEPROM:
            model_.saveToEeprom(now);
            return ack;
        case SpecialCommand::ToggleCloud:
            model_.toggleCloud();
            return ack;
        case SpecialCommand::ToggleStorm:
            model_.toggleStorm();
            return ack;
        }
    }
    return Answer{};
}

Simulator::Answer Simulator::bootloaderRequest(std::uint8_t code, std::span<const std::uint8_t> payload,
                                               MonoTime now) {
    if (code == GetDevice && payload.empty())
        return Answer{Outcome::Read, code, encoded(Device{BootloaderType, bootloader_.version()})};
    if (code == GetInfo && payload.empty())
        return Answer{Outcome::Read, code, encoded(bootloader_.bootInfo())};
    if (code == FlashBlock && payload.size() == cmd::FlashBlock.payloadLength) {
        const auto address = static_cast<std::uint16_t>(payload[0] | (payload[1] << 8));
        bootloader_.writeBlock(address, payload.subspan(2));
        return Answer{Outcome::Ack, code, {}};
    }
    if (code == BootReset && payload.size() == cmd::BootReset.payloadLength) {
        enterApplication(now);
        return Answer{Outcome::Ack, code, {}};
    }
    return Answer{};
}

Reply Simulator::shape(const Answer& answer) {
    if (answer.outcome == Outcome::Silent)
        return Reply{};
    if (faults_.silence > 0) {
        --faults_.silence;
        return Reply{};
    }
    Reply reply;
    if (answer.outcome == Outcome::Ack) {
        if (faults_.dropAcks != 0) {
            if (faults_.dropAcks > 0)
                --faults_.dropAcks;
            return Reply{};
        }
        reply.sent = true;
        reply.bytes.assign(1, static_cast<char>(faults_.ackByte));
        reply.trace = "ack " + std::to_string(faults_.ackByte);
        return reply;
    }
    const HexCase letterCase = faults_.lowerHex ? HexCase::Lower : HexCase::Upper;
    const std::uint8_t echo = faults_.wrongEcho ? static_cast<std::uint8_t>(answer.code + 1) : answer.code;
    std::string text;
    appendHex(text, std::span<const std::uint8_t>(&echo, 1), letterCase);
    appendHex(text, answer.payload, letterCase);
    if (faults_.badHex && text.size() >= 4)
        text.replace(2, 2, "G1");
    reply.sent = true;
    reply.trace = text;
    reply.bytes = text;
    if (!faults_.shortReply)
        reply.bytes.push_back(faults_.crTerminator ? '\r' : '\n');
    return reply;
}

} // namespace zorvex::devsim
