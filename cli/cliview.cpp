#include "cliview.h"

#include "extratexts.h"
#include "language.h"
#include "sharedblock.h"

using namespace Qt::StringLiterals;

namespace zorvex {

void CliView::SetStatusMessage(const QString& text) {
    lastStatus = text;
    statuses << text;
    ++m_statuses;
    statusSinceIdentification = true;
    if (text == LookupMessage(u"FirmwareUpdateSuccessful"_s) ||
        text == LookupMessage(u"FirmwareUpdateFailed"_s)) {
        flashOutcome = text;
        if (m_transfer.isValid())
            flash.seconds = static_cast<double>(m_transfer.elapsed()) / 1000.0;
    }
}

void CliView::SetConnectedState(bool isConnected) {
    // A new identification: the records are downloaded anew, as in the window.
    if (isConnected)
        m_block->ForgetDownload();
    connected = isConnected;
}

void CliView::SetTaskbarProgress(qint64 done, qint64 total) {
    if (!m_transfer.isValid())
        m_transfer.start();
    ++flash.blocks;
    flash.bytes = total;
    if (onProgress)
        onProgress(done, total);
}

QString CliView::ChooseFirmwareFile() {
    if (++firmwareOffers == 1) {
        m_statusesAtOffer = m_statuses;
        return firmwareFile;
    }
    if (firmwareRefusal.isEmpty())
        firmwareRefusal =
            m_statuses > m_statusesAtOffer ? lastStatus : ExtraText(u"CliNotFirmwareFile"_s, {firmwareFile});
    return {};
}

void CliView::DeviceIdentified(std::uint8_t type, std::uint8_t version) {
    identity = DeviceIdentity{type, version};
    ++identifications;
    statusSinceIdentification = false;
}

void CliView::WriteNotAcknowledged(const QString& operation) {
    if (writeFailure.isEmpty())
        writeFailure = operation;
}

} // namespace zorvex
