#include "deviceprotocol.h"

#include "hexdigits.h"
#include "language.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <array>

using namespace Qt::StringLiterals;

namespace zorvex {

namespace {
constexpr char LineFeed = '\n';
constexpr char CarriageReturn = '\r';

// Text up to the first zero byte, as the trace shows it.
QByteArray untilZero(const char* data, qsizetype size) {
    qsizetype n = 0;
    while (n < size && data[n] != '\0')
        ++n;
    return QByteArray(data, n);
}
} // namespace

QByteArray EncodeWriteLine(std::string_view code, std::size_t len, const RecordBuffer& buffer) {
    QByteArray line;
    line.reserve(qsizetype(code.size() + 2 * len + 1));
    line.append(code.data(), qsizetype(code.size()));
    for (std::size_t i = 0; i < len; ++i) {
        const std::uint8_t byte = buffer[RecordPayloadIndex + i];
        line.append(UpperHexDigits[byte >> 4]);
        line.append(UpperHexDigits[byte & 0x0F]);
    }
    line.append(LineFeed);
    return line;
}

QString DecodeReplyPairs(const QByteArray& reply, std::size_t pairs, RecordBuffer& buffer) {
    for (std::size_t i = 0; i < pairs; ++i) {
        const auto pos = qsizetype(2 * i);
        const int high = HexDigitValue(reply.at(pos));
        const int low = HexDigitValue(reply.at(pos + 1));
        if (high < 0 || low < 0) {
            const QString pair = QString::fromLatin1(untilZero(reply.constData() + pos, 2));
            return QCoreApplication::translate("DeviceProtocol", "'%1' is not a valid hexadecimal value")
                .arg(pair);
        }
        buffer[RecordEchoIndex + i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return {};
}

ReplyVerdict DecodeReply(const QByteArray& reply, std::string_view code, std::size_t len,
                         RecordBuffer& buffer, QString& error) {
    if (code.size() != 2 || len > MaxPayloadLength)
        return ReplyVerdict::WrongShape;
    const auto expected = qsizetype(2 * len + 3);
    if (reply.size() != expected || reply.at(0) != code[0] || reply.at(1) != code[1] ||
        (reply.back() != LineFeed && reply.back() != CarriageReturn))
        return ReplyVerdict::WrongShape;
    error = DecodeReplyPairs(reply, len + 1, buffer);
    return error.isEmpty() ? ReplyVerdict::Decoded : ReplyVerdict::BadHex;
}

void DeviceProtocol::trace(const char* direction, const QByteArray& text, qint64 elapsedMs) {
    m_sink.AddMessage(QString::fromLatin1(direction) + u'"' + QString::fromLatin1(text) + u'"' + u' ' +
                      QString::number(elapsedMs) + u" ms"_s);
}

bool DeviceProtocol::ReadRecord(std::string_view code, std::size_t len) {
    if (code.size() != 2 || len > MaxPayloadLength)
        return false;
    const QByteArray request = QByteArray(code.data(), 2) + LineFeed;

    if (!m_link.clear()) {
        m_sink.AddMessage(m_link.errorString());
        return false;
    }
    QElapsedTimer t0;
    t0.start();
    if (!m_link.write(request)) {
        m_sink.AddMessage(m_link.errorString());
        return false;
    }
    if (DebugMode)
        trace("OUT: ", request.left(2), t0.elapsed());

    std::array<char, 512> area{};
    const auto expected = qsizetype(2 * len + 3);
    QElapsedTimer t1;
    t1.start();
    const qsizetype n = m_link.read(area.data(), expected);
    if (n < 0) {
        m_sink.AddMessage(m_link.errorString());
        return false;
    }
    if (DebugMode)
        trace("IN: ", untilZero(area.data(), n), t1.elapsed());

    if (n == 0) {
        m_sink.AddMessage(LookupMessage(u"NoData"_s));
        m_link.close();
        return false;
    }
    QString error;
    switch (DecodeReply(QByteArray(area.data(), n), code, len, RecordBuffer, error)) {
    case ReplyVerdict::Decoded:
        return true;
    case ReplyVerdict::BadHex:
        m_sink.AddMessage(error);
        return false;
    case ReplyVerdict::WrongShape:
        break;
    }
    return false;
}

bool DeviceProtocol::WriteRecord(std::string_view code, std::size_t len, const zorvex::RecordBuffer& from) {
    if (code.size() != 2 || len > MaxPayloadLength)
        return false;
    const QByteArray line = EncodeWriteLine(code, len, from);

    if (!m_link.clear()) {
        m_sink.AddMessage(m_link.errorString());
        return false;
    }
    QElapsedTimer t0;
    t0.start();
    if (!m_link.write(line)) {
        m_sink.AddMessage(m_link.errorString());
        return false;
    }
    if (DebugMode)
        trace("OUT: ", line, t0.elapsed());

    char ack = '\0';
    QElapsedTimer t1;
    t1.start();
    const qsizetype n = m_link.read(&ack, 1);
    if (n < 0) {
        m_sink.AddMessage(m_link.errorString());
        return false;
    }
    if (DebugMode)
        trace("IN: ", n > 0 ? untilZero(&ack, 1) : QByteArray(), t1.elapsed());
    return n == 1;
}

} // namespace zorvex
