// Any text as a configuration file: the order-keeping INI reader, both imports applied to the
// records, and the writer's in-place update of that same text.
#include "configfile.h"
#include "inidocument.h"
#include "sharedblock.h"

#include <QString>

#include <cstdint>

using namespace zorvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    IniDocument document = IniDocument::Parse(text);

    SharedBlock block;
    block.Info.RowCount = 5;
    block.Schedule.resize(5);
    ApplyConfigImport(block, document);
    ApplyScheduleImport(block, ReadScheduleChanges(document, block.Schedule));

    WriteSettingsKeys(document, SettingsOf(block));
    WriteScheduleSections(document, block.Schedule);
    // What was written reads back as written.
    const IniDocument again = IniDocument::Parse(document.ToText());
    if (ReadConfigChanges(again, SettingsOf(block)).size() != 0)
        __builtin_trap();
    return 0;
}
