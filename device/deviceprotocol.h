#pragma once

#include "commands.h"
#include "messagesink.h"
#include "recordbuffer.h"
#include "seriallink.h"

#include <string_view>

namespace zorvex {

// The two transactions every exchange with the device is built from. A read sends the bare
// command code and decodes the hexadecimal reply into RecordBuffer bytes 1..len+1; a write
// sends the code with the payload in hexadecimal and waits for one acknowledgement byte.
// Neither throws: every failure is a false result, with a log line where one is due.
class DeviceProtocol {
public:
    DeviceProtocol(SerialLink& link, MessageSink& sink) : m_link(link), m_sink(sink) {}

    bool ReadRecord(std::string_view code, std::size_t len);
    bool WriteRecord(std::string_view code, std::size_t len, const zorvex::RecordBuffer& from);
    bool WriteRecord(std::string_view code, std::size_t len) { return WriteRecord(code, len, RecordBuffer); }

    bool ReadRecord(const Command& command) { return ReadRecord(command.code, command.payloadLength); }
    bool WriteRecord(const Command& command) { return WriteRecord(command.code, command.payloadLength); }

    SerialLink& Link() { return m_link; }

    zorvex::RecordBuffer RecordBuffer{};
    bool DebugMode = false;

private:
    void trace(const char* direction, const QByteArray& text, qint64 elapsedMs);

    SerialLink& m_link;
    MessageSink& m_sink;
};

// The request line of a write: code, two upper-case hexadecimal digits per payload byte
// (bytes 2..len+1 of `buffer`) and a line feed.
QByteArray EncodeWriteLine(std::string_view code, std::size_t len, const RecordBuffer& buffer);

// Decodes the hexadecimal pairs of a read reply into buffer bytes 1..pairs. Returns an empty
// text on success, else the conversion error of the first bad pair (the bytes before it stay
// decoded). The reply must hold at least 2 * pairs bytes.
QString DecodeReplyPairs(const QByteArray& reply, std::size_t pairs, RecordBuffer& buffer);

// What a read reply is worth: the whole reply as received for `code` with `len` payload bytes.
enum class ReplyVerdict {
    Decoded,    // the echo and the payload are in buffer bytes 1..len+1
    WrongShape, // wrong length, wrong echo or no line end: quietly not a reply
    BadHex,     // a pair that is no hexadecimal number; `error` says which
};
ReplyVerdict DecodeReply(const QByteArray& reply, std::string_view code, std::size_t len,
                         RecordBuffer& buffer, QString& error);

} // namespace zorvex
