#pragma once

#include "bootloader.h"
#include "devicemodel.h"
#include "faults.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zorvex::devsim {

// What the lamp sends back for one request line.
struct Reply {
    bool sent = false; // false: the request gets no reply at all
    std::string bytes; // exactly what goes on the wire
    std::string trace; // the reply without its terminator, or "ack <value>" for a write
};

// The protocol core: one request line in, the reply bytes out. It holds the application and
// the bootloader personality and the fault switches; it knows nothing of terminals or timing
// other than the monotonic instant each request arrived at.
class Simulator {
public:
    Simulator(CivilTime start, MonoTime now);

    // `line` is one request without its line feed; a carriage return before it is ignored.
    Reply handleLine(std::string_view line, MonoTime now);

    Faults& faults() { return faults_; }
    Identity& identity() { return identity_; }
    DeviceModel& model() { return model_; }
    Bootloader& bootloader() { return bootloader_; }

    bool inBootloader() const { return inBootloader_; }
    void enterBootloader();
    // Leaves the bootloader; after a firmware was written the application starts with defaults.
    void enterApplication(MonoTime now);

private:
    enum class Outcome { Silent, Read, Ack };
    struct Answer {
        Outcome outcome = Outcome::Silent;
        std::uint8_t code = 0;
        std::vector<std::uint8_t> payload; // read replies: the record bytes
    };

    Answer applicationRequest(std::uint8_t code, std::span<const std::uint8_t> payload, MonoTime now);
    Answer bootloaderRequest(std::uint8_t code, std::span<const std::uint8_t> payload, MonoTime now);
    Reply shape(const Answer& answer);

    Faults faults_;
    Identity identity_;
    DeviceModel model_;
    Bootloader bootloader_;
    bool inBootloader_ = false;
};

} // namespace zorvex::devsim
