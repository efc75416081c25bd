// Flashing a 31 KiB image (addresses 0 to 31743, the whole usable flash of a 32 KiB device)
// through the communication thread into the simulator's bootloader paced at 115200 baud, from
// the start message to the final one, against the time its bytes need on the wire.
#include "benchreport.h"
#include "benchview.h"
#include "commands.h"
#include "firmwarefile.h"
#include "language.h"
#include "simulatorprocess.h"
#include "tthdcom.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

using namespace zorvex;
using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    LoadLanguageTable(Language::English);
    constexpr int imageBytes = 31 * 1024;
    constexpr int blocks = imageBytes / 64;

    QTemporaryDir dir;
    const QString path = dir.filePath(u"ZORVEXPRO1x4.zvx"_s);
    {
        QByteArray image(imageBytes, '\0');
        for (int i = 0; i < imageBytes; ++i)
            image[i] = static_cast<char>((i * 13 + i / 64) & 0xFF);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(PackFirmwareImage(0, image)) < 0)
            return 1;
    }

    SimulatorProcess sim;
    if (!sim.start({u"--bootloader"_s, u"--flash-size"_s, u"32768"_s})) {
        std::fprintf(stderr, "simulator did not start\n");
        return 1;
    }

    BenchView view;
    view.firmwareFile = path;
    QElapsedTimer clock;
    double measured = -1;
    bool succeeded = false;
    view.onStatus = [&](const QString& text) {
        if (text.startsWith(u"Starting firmware update"_s))
            clock.start();
        else if (clock.isValid() && measured < 0 && text.startsWith(u"Firmware "_s)) {
            measured = MillisecondsOf(clock);
            succeeded = text.startsWith(u"Firmware successfully"_s);
        }
    };
    auto shared = std::make_shared<SharedBlock>();
    auto gate = ViewGate::create(&view, view);
    auto thread = TthdCom::Create(sim.linkPath(), false, shared, gate);
    const bool done = ServeUntil([&] { return measured >= 0; }, 120000);
    thread->Stop();
    ServeUntil([&] { return thread->Finished(); }, 30000);
    thread->wait();
    gate->Close();
    if (!done || !succeeded) {
        std::fprintf(stderr, "the update did not succeed\n");
        return 1;
    }

    // Each block: "02" + 132 digits + LF out, one acknowledgement back; then the reset
    // ("01" + 12 digits + LF) and its acknowledgement.
    const std::size_t blockBytes = 2 + 2 * cmd::FlashBlock.payloadLength + 1 + 1;
    const std::size_t resetBytes = 2 + 2 * cmd::BootReset.payloadLength + 1 + 1;
    PrintBenchLine("flash_31k_image", measured, WireTimeMs(blocks * blockBytes + resetBytes));
    return 0;
}
