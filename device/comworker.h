#pragma once

#include "commands.h"
#include "comtiming.h"
#include "deviceprotocol.h"
#include "seriallink.h"
#include "sharedblock.h"
#include "viewcalls.h"

#include <QString>

#include <cstdint>
#include <functional>

namespace zorvex {

class TthdCom;

// The work of a communication thread between its start and its final cleanup: connecting,
// identifying the device, serving the request bits of the shared block one per pass, polling
// and reconnecting. It is created inside TthdCom::run() and owns the serial port and the record
// buffer, which therefore never leave the thread.
class ComWorker {
public:
    ComWorker(TthdCom& thread, SharedBlock& shared, ViewCalls& view, const ComTiming& timing);

    // Connects and serves until the thread is to end (termination, five failed opens, other
    // hardware); the caller then runs the final cleanup.
    void Run();

    // Identity last reported by "80"; UnknownIdentity for both when there was no valid reply.
    std::uint8_t DeviceType = 255;
    std::uint8_t DeviceVersion = 255;
    bool AppConnected = false; // a ZORVEXPRO 1.x.4 application is identified
    bool InBootloader = false; // the device's bootloader is identified
    std::uint16_t BootPageSize = 0;
    std::uint32_t BootFlashSize = 0;

private:
    enum class LoopEnd { Reconnect, Terminate };

    void BeginConnection();
    bool OpenPort();
    // Advice for a port the system refused (permission, busy), once per run.
    void GivePortHelp();
    LoopEnd ServeConnection();
    bool ServeRequest();
    void ServeScheduleDownload();
    void ServeFirmwareUpdate();
    void LoadAndWrite(const Command& command, const std::function<void(RecordBuffer&)>& load);
    void ReadAndStore(const Command& command, const std::function<void(const RecordBuffer&)>& store,
                      void (ViewCalls::*refresh)());

    // Device operations: the trace name in debug mode, the transaction, Identify on failure.
    bool Read(const Command& command);
    bool Write(const Command& command);
    bool SendSpecial(const Command& command, std::uint32_t requestBit, SpecialCommand value);
    bool GetBootInfo();
    void StartBootloader();
    void Identify();
    void AdoptIdentity(std::uint8_t type, std::uint8_t version);
    // Copies between the shared block and RecordBuffer, on the window's thread. False when the
    // window is gone: then nothing may be sent from the buffer.
    bool OnWindowThread(const std::function<void()>& operation) { return m_view.OnWindowThread(operation); }

    // The one-second waits, as ten slices; false when termination was requested meanwhile.
    bool WaitOneSecond();
    bool TerminationRequested() const;
    void TakeDebugMode();
    QString PortName() const;

    TthdCom& m_thread;
    SharedBlock& m_shared;
    ViewCalls& m_view;
    ComTiming m_timing;
    SerialLink m_link;
    DeviceProtocol m_protocol;
    // The port name last given to the link; the link itself may report it in another form.
    QString m_linkPortName;
};

} // namespace zorvex
