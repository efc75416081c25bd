#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace zorvex {

// The transaction buffer of one communication thread. Byte 0 is never touched by the
// protocol, byte 1 receives the echoed command code of the last read reply and the record
// payload starts at byte 2.
inline constexpr std::size_t RecordBufferSize = 134;
inline constexpr std::size_t RecordEchoIndex = 1;
inline constexpr std::size_t RecordPayloadIndex = 2;
inline constexpr std::size_t MaxPayloadLength = RecordBufferSize - RecordPayloadIndex;

using RecordBuffer = std::array<std::uint8_t, RecordBufferSize>;

} // namespace zorvex
