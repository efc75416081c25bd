// zorvexpro-linkcheck: connects to a lamp (or the simulator), identifies it and reads every
// record once, printing what it found. A quick way to check a port and a cable without the
// window.
#include "commands.h"
#include "deviceprotocol.h"
#include "language.h"
#include "records.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {

class ConsoleSink : public MessageSink {
public:
    void AddMessage(const QString& text) override { QTextStream(stdout) << text << Qt::endl; }
};

QString temperature(std::int16_t tenths) {
    return tenths == NoTemperature ? u"-"_s : QString::number(tenths / 10.0, 'f', 1) + u" °C"_s;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"zorvexpro-linkcheck"_s);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Identifies a ZORVEXPRO lamp on a serial port and reads every record."_s);
    parser.addHelpOption();
    parser.addPositionalArgument(u"port"_s, u"Serial port name or path, e.g. /dev/rfcomm0"_s);
    const QCommandLineOption debug(u"debug"_s, u"Trace the serial traffic."_s);
    parser.addOption(debug);
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    LoadLanguageTable(Language::English);
    ConsoleSink sink;
    SerialLink link;
    link.setPortName(parser.positionalArguments().first());
    QTextStream out(stdout);
    if (!link.open()) {
        out << link.errorString() << Qt::endl;
        return 1;
    }
    DeviceProtocol protocol(link, sink);
    protocol.DebugMode = parser.isSet(debug);

    if (!protocol.ReadRecord(cmd::GetDevice)) {
        out << LookupMessage(u"TimeoutWhileWaiting"_s) << Qt::endl;
        return 1;
    }
    const auto device = loadFromBuffer<Device>(protocol.RecordBuffer);
    out << "Device type " << device.DeviceType << ", version " << device.DeviceVersion << Qt::endl;
    if (device.DeviceType != 3)
        return 0;

    int failures = 0;
    auto read = [&](const Command& command) {
        const bool ok = protocol.ReadRecord(command);
        if (!ok) {
            out << command.traceName.data() << " failed" << Qt::endl;
            ++failures;
        }
        return ok;
    };

    if (read(cmd::GetInfo)) {
        const auto info = loadFromBuffer<Info>(protocol.RecordBuffer);
        out << QString::asprintf("Clock %02d:%02d:%02d, date %02d.%02d.%04d, %d schedule rows, row %d now",
                                 info.Hour, info.Minute, info.Second, info.Day, info.Month, 2000 + info.Year,
                                 info.RowCount, info.CurrentRow)
            << Qt::endl;
        out << "Channels";
        for (std::size_t ch = 0; ch < ChannelCount; ++ch)
            out << ' ' << ChannelLetter(int(ch)) << '='
                << QString::number(info.ChannelValue[ch] / 40.96, 'f', 1) << '%';
        out << Qt::endl;
        out << "Water " << temperature(info.TempWater) << ", board " << temperature(info.TempBoard)
            << Qt::endl;

        for (int row = 0; row < info.RowCount; ++row) {
            if (!read(cmd::GetSchedule))
                break;
            const auto r = loadFromBuffer<IndexedScheduleRow>(protocol.RecordBuffer);
            out << QString::asprintf("  row %2d  %02d:%02d  W %4d R %4d G %4d B %4d", r.Index, r.Row.Hour,
                                     r.Row.Minute, r.Row.Color16[0], r.Row.Color16[1], r.Row.Color16[2],
                                     r.Row.Color16[3])
                << Qt::endl;
        }
    }
    if (read(cmd::GetConfig)) {
        const auto config = loadFromBuffer<Config>(protocol.RecordBuffer);
        out << "Mode " << config.Mode << ", latitude " << config.Lat / 10.0 << ", longitude "
            << config.Lon / 10.0 << Qt::endl;
    }
    read(cmd::GetExpert);
    read(cmd::GetExpertWeather);
    if (read(cmd::GetChart)) {
        const auto chart = loadFromBuffer<Chart>(protocol.RecordBuffer);
        out << "Newest chart sample " << temperature(chart.Samples[0]) << Qt::endl;
    }
    out << (failures == 0 ? "All records read." : "Some records could not be read.") << Qt::endl;
    return failures == 0 ? 0 : 1;
}
