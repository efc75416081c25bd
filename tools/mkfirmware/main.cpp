// zorvexpro-mkfirmware: packs a binary image at a base address into a firmware file (first
// address, last address, image, checksum), or makes a file with a test pattern, so that
// flashing can be tried against the simulator without a firmware build at hand.
#include "firmwarefile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

#include <optional>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {

// Decimal, or hexadecimal with 0x; a leading minus sign is allowed.
std::optional<qint64> parseNumber(const QString& text) {
    bool ok = false;
    const qint64 value = text.toLongLong(&ok, 0);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

// Bytes that differ from block to block and never repeat within a page, so that a misplaced
// block shows in a comparison.
QByteArray testPattern(qsizetype size) {
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 131 + i / 256 + 7) & 0xFF);
    return bytes;
}

int fail(const QString& text) {
    QTextStream(stderr) << text << Qt::endl;
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"zorvexpro-mkfirmware"_s);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Packs a binary image at a base address into a firmware file."_s);
    parser.addHelpOption();
    const QCommandLineOption base(u"base"_s, u"First flash address of the image (default 0)."_s, u"address"_s,
                                  u"0"_s);
    const QCommandLineOption pattern(
        u"pattern"_s, u"Use a test pattern of this many bytes instead of an input file."_s, u"size"_s);
    parser.addOption(base);
    parser.addOption(pattern);
    parser.addPositionalArgument(u"input"_s, u"Binary image (omit with --pattern)."_s, u"[input]"_s);
    parser.addPositionalArgument(u"output"_s, u"Firmware file to write."_s);
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    const qsizetype expected = parser.isSet(pattern) ? 1 : 2;
    if (args.size() != expected)
        parser.showHelp(2);

    const auto first = parseNumber(parser.value(base));
    if (!first || *first < INT32_MIN || *first > INT32_MAX)
        return fail(u"Bad base address: "_s + parser.value(base));

    QByteArray image;
    if (parser.isSet(pattern)) {
        const auto size = parseNumber(parser.value(pattern));
        if (!size || *size < 0 || *size > MaxFirmwareFileSize)
            return fail(u"Bad pattern size: "_s + parser.value(pattern));
        image = testPattern(static_cast<qsizetype>(*size));
    } else {
        QFile input(args.first());
        if (!input.open(QIODevice::ReadOnly))
            return fail(input.fileName() + u": "_s + input.errorString());
        image = input.readAll();
    }

    QSaveFile output(args.last());
    if (!output.open(QIODevice::WriteOnly))
        return fail(output.fileName() + u": "_s + output.errorString());
    output.write(PackFirmwareImage(static_cast<std::int32_t>(*first), image));
    if (!output.commit())
        return fail(output.fileName() + u": "_s + output.errorString());
    return 0;
}
