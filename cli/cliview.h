#pragma once

#include "clireport.h"
#include "quietview.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace zorvex {

class SharedBlock;

// The device view of the command-line tool: no widgets, only what a command needs to decide
// when it is done and what to report. It lives on the tool's main thread, which serves the
// communication thread's calls through a ViewGate, as the window does.
class CliView : public QObject, public QuietView {
    Q_OBJECT

public:
    explicit CliView(std::shared_ptr<SharedBlock> block) : m_block(std::move(block)) {}

    void AddMessage(const QString& text) override { lastMessage = text; }
    void SetStatusMessage(const QString& text) override;
    void SetConnectedState(bool connected) override;
    void SetTaskbarProgress(qint64 done, qint64 total) override;
    // Hands out the firmware file once; asked again within the same attempt, the file has been
    // refused, and the answer is a cancelled dialog (the device is reset and the attempt ends).
    QString ChooseFirmwareFile() override;
    void DeviceIdentified(std::uint8_t type, std::uint8_t version) override;
    void WriteNotAcknowledged(const QString& operation) override;
    void ShowPortHelp(const QString& text) override { portHelp = text; }

    // --- what the thread reported (the last status is the QuietView's) ---
    QStringList statuses;
    QString lastMessage;
    QString portHelp;
    bool connected = false;
    std::optional<DeviceIdentity> identity; // empty until the first "80" reply or its failure
    int identifications = 0;                // identity changes reported so far
    bool statusSinceIdentification = false; // a status text followed the last identity change
    QString writeFailure;                   // the operation of the first unacknowledged write

    // --- firmware ---
    QString firmwareFile;                // handed out at the first offer
    int firmwareOffers = 0;              // the thread's calls of ChooseFirmwareFile
    QString firmwareRefusal;             // why the file was refused (the status before the second offer)
    FlashSummary flash;                  // blocks, bytes and time of the transfer
    std::optional<QString> flashOutcome; // the final status of the transfer
    std::function<void(qint64, qint64)> onProgress;

private:
    std::shared_ptr<SharedBlock> m_block;
    QElapsedTimer m_transfer;
    int m_statusesAtOffer = 0;
    int m_statuses = 0;
};

} // namespace zorvex
