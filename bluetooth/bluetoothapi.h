#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace zorvex {

// One Bluetooth device as the installation sees it.
struct BluetoothDevice {
    QString handle;  // the backend's name for it (BlueZ: the device's object path)
    QString address; // six bytes as upper-case hexadecimal pairs, most significant first: 00:1A:7D:DA:71:13
    QString name;    // as the device transmitted it; empty when none was received
    bool authenticated = false; // paired
    bool remembered = false;    // known to the system: paired or trusted
    bool connected = false;
};

// A failed Bluetooth operation: the error's name (a D-Bus error name such as
// org.bluez.Error.AuthenticationFailed, or the name of a system error) and its message.
struct BluetoothError {
    QString code;
    QString text;
    // The program lacks a right for this step, so repeating it cannot help. `text` is then one
    // complete log line that says what to run or which group to join.
    bool missingRights = false;
};

using BluetoothResult = std::optional<BluetoothError>;

// The outcome of a device search: the devices found, or why no search was possible. No error and
// no device is "nothing found".
struct DeviceSearch {
    std::optional<BluetoothError> error;
    std::vector<BluetoothDevice> devices;
};

// Thrown by every wait of the installation (its own and the backend's) once its thread has been
// asked to end; the thread then ends without further messages. Not a std::exception on purpose:
// the procedures log every std::exception, but not this.
struct DiscoverInterrupted {};

// The pairing code of every ZORVEXPRO.
inline constexpr char16_t DevicePasskey[] = u"7451";
// The only device name the installation touches, compared case-sensitively.
inline constexpr char16_t DeviceName[] = u"ZORVEXPRO";

// The Bluetooth operations the installation uses. Every call runs on the installation's thread
// and may wait; no call throws except DiscoverInterrupted.
class BluetoothApi {
public:
    virtual ~BluetoothApi() = default;

    // The devices of the computer's Bluetooth adapter: with `inquiry`, after a new search for
    // devices in range (about 6.4 s), else the devices the system already knows.
    virtual DeviceSearch FindDevices(bool inquiry) = 0;
    // Reads the device's name, address and states again.
    virtual BluetoothResult GetDeviceInfo(BluetoothDevice& device) = 0;
    // Pairs with the device, answering its request with `passkey`.
    virtual BluetoothResult Authenticate(const BluetoothDevice& device, const QString& passkey) = 0;
    // An error with missingRights when this computer would not let the program make a serial port
    // of a paired device; checked before pairing, so that nothing is paired in vain.
    virtual BluetoothResult CheckSerialPortRights() = 0;
    // Makes the paired device's Serial Port Profile a serial port of the system. Enabling it
    // again is harmless.
    virtual BluetoothResult EnableSerialPort(const BluetoothDevice& device) = 0;
    // Removes the device's serial port and its pairing.
    virtual BluetoothResult RemoveDevice(const BluetoothDevice& device) = 0;
};

// Creates the backend of one installation or removal, on the thread that will use it.
using BluetoothApiFactory = std::function<std::unique_ptr<BluetoothApi>()>;

} // namespace zorvex
