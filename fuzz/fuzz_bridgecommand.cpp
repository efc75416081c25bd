// Any message on the Home Assistant bridge's topics: the bytes up to the first line end are the
// topic below the lamp's base topic, the rest the payload. A command that is read must be one the
// lamp can take; carried out on a block whose records arrived, it raises only the writes it names.
#include "bridgecommands.h"
#include "extratexts.h"
#include "sharedblock.h"

#include <cstdint>
#include <cstdlib>

using namespace zorvex;

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype end = bytes.indexOf('\n');
    LampTopics topics;
    topics.portId = QStringLiteral("dev_rfcomm0");
    const QString topic = topics.Base() + u'/' + QString::fromUtf8(end < 0 ? bytes : bytes.left(end));
    const QByteArray payload = end < 0 ? QByteArray() : bytes.mid(end + 1);

    const auto parsed = ParseBridgeCommand(topics, topic, payload);
    if (!parsed)
        return 0;
    if (const auto* refusal = std::get_if<CommandRefusal>(&*parsed)) {
        Check(!ExtraText(refusal->key, refusal->args).isEmpty());
        return 0;
    }
    const BridgeCommand& command = std::get<BridgeCommand>(*parsed);
    if (const auto* dim = std::get_if<DimChannel>(&command))
        Check(dim->channel >= 0 && dim->channel < 4 && dim->level >= 0 && dim->level <= 4096);
    if (const auto* mode = std::get_if<SelectMode>(&command))
        Check(mode->mode >= 0 && mode->mode <= 2);

    SharedBlock block;
    std::array<int, ChannelCount> lastOn{};
    // Nothing is carried out before the lamp's records arrived.
    Check(ApplyBridgeCommand(block, command, lastOn, QDateTime::currentDateTime()).has_value());
    Check(block.RequestFlags() == 0);
    return 0;
}
