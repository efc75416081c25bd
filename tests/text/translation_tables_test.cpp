// The two compiled-in translation tables: their keys and order, placeholder and line-break
// parity between the languages, and the English texts the program's users already know.
#include "language_table.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Qt::StringLiterals;
using zorvex::LanguageTable;

namespace {

// Every key of the two sections, in table order.
const QStringList MessageKeys =
    (u"Started Bytes ListingSerialPorts NoSerialPorts DebugMessagesActive DebugMessagesInactive "
     u"SystemSuspending SystemResuming FlashDlgText FlashDlgCaption InputVoltage BoardTemperature "
     u"Overtemperature Undervoltage QuarzError CRCError RAMFull RTCError TempBoardError PWMError "
     u"CloudRatio StormRatio CloudActiveNow StormActiveNow LetterCloud LetterStorm LetterCooler "
     u"LetterHeater LetterTimer Saving Altitude Time ON OFF QuillTempNotConnected Line Display Clouds "
     u"Storms Timer ImportConfig ZORVEXConfig ExportScheduleConfig ImportSchedule IRLearnDlgText "
     u"IRLearnDlgCaption Phase Sun Azimuth Rise Moon Set Hours DayLength MousePosition Latitude "
     u"Longitude DiscoverNearbyDevices DeviceDetected NoDeviceName Installed Connected InstallingDevice "
     u"InstallSerialPort OpenProperties InstallationStarted BluetoothAvailable WindowsError "
     u"DiscoveryCompleted ListingInstalledDevices NotInstalled DeviceInUse UninstallingDevice "
     u"UninstallSuccessful TryColdStart RemovalCompleted ConnectingTo ConnectedTo ErrorConnectingTo "
     u"TryingAgain ConnectionError WritingSchedule Done ReadingSchedule ReadingChart DisconnectedFrom "
     u"NoData TimeoutWhileWaiting ConnectedToOn DetectedWrongVersionOn ConnectedToBootloaderOn "
     u"OtherHardware ParsingError ChecksumError NoDataInFile ChooseFirmware FirmwareFile Resetting "
     u"FlashSize FirmwareTooLarge StartingFirmwareUpdate TransferError FirmwareUpdateFailed "
     u"FirmwareUpdateSuccessful ModeManual ModeAuto ModeGeo ModeRGBDemo ModeFlash English German "
     u"ColorUnnamed ColorWhite ColorRed ColorGreen ColorBlue ColorUV ColorMoonLight ColorColdWhite "
     u"ColorWarmWhite ColorYellow ColorPurple ColorRoyalBlue ColorCyan ColorViolet ColorOrange "
     u"ColorDeepRed"_s)
        .split(u' ');

const QStringList WindowKeys =
    (u"mem.Caption tsChannels.Caption lblName0.Caption btnOff0.Caption btnOn0.Caption "
     u"tsSchedule.Caption btnUpload.Caption btnDownload.Caption memDescription.Caption "
     u"tsVisualize.Caption lblVisualize.Caption cbxTimeLock.Caption tsGeo.Caption edtLat.Hint "
     u"edtLat.Caption edtLon.Hint edtLon.Caption edtTime.Caption btnNow.Hint btnNow.Caption "
     u"tsConfig.Caption btnRealtime.Caption edtTimeLapse.Caption gbxLCDBL.Caption edtLCDBLMax.Caption "
     u"edtLCDBLMin.Caption edtLCDBLNight.Caption gbxFan.Caption edtFanHigh.Caption edtFanLow.Caption "
     u"edtFanOff.Caption tsWeather.Caption gbxCloud.Caption edtCloudCount.Caption "
     u"edtCloudSeconds.Caption edtCloudAlpha.Caption edtCloudStep.Hint edtCloudStep.Caption "
     u"btnCloud.Hint btnCloud.Caption gbxStorm.Caption edtStormCount.Caption edtStormMinutes.Caption "
     u"edtStormAlpha.Caption edtStormStep.Hint edtStormStep.Caption btnStorm.Hint btnStorm.Caption "
     u"edtLightningP.Hint edtLightningP.Caption tsWeatherDelay.Caption lblWeatherDelay.Caption "
     u"tsMoon.Caption lblMoon.Caption tsTemp.Caption tsExpert.Caption lblPWMPrescaler.Caption "
     u"lblTWIBitrate.Caption lblLanguage.Caption edtPWMPrescaler.Hint edtPWMPrescaler.Caption "
     u"edtTWIBitrate.Hint edtTWIBitrate.Caption edtTempOffset.Hint edtTempOffset.Caption "
     u"gbxFanMode.Caption edtTempWaterLow.Caption rbtFMOLED.Caption rbtFMOWater.Caption "
     u"rbtFMOWaterMaster.Caption gbxChartMode.Caption rbtCHMTempSlave.Caption rbtCHMVoltage.Caption "
     u"rbtCHMTempWater.Caption rbtCHMTempBoard.Caption edtChartInterval.Caption gbxTimeZone.Caption "
     u"edtTimeZoneDaylightMonth.Caption edtTimeZoneBias.Caption edtTimeZoneDaylightDay.Caption "
     u"edtTimeZoneDaylightDayOfWeek.Caption edtTimeZoneDaylightHour.Caption "
     u"edtTimeZoneStandardDay.Caption edtTimeZoneStandardDayOfWeek.Caption "
     u"edtTimeZoneStandardHour.Caption edtTimeZoneStandardMonth.Caption btnApplyTZI.Hint "
     u"btnApplyTZI.Caption gbxTemperatureUnit.Caption rbtCelsius.Caption rbtFahrenheit.Caption "
     u"gbxTimeFormat.Caption rbt12h.Caption rbt24h.Caption gbxLCDFormat.Caption rbt16x2.Caption "
     u"rbt20x4.Caption gbxLightningMask.Caption edtRandomInit.Caption tsBalance.Caption "
     u"lblBalance.Caption tsJMP.Caption lblJMPWarning2.Caption lblJMPWarning1.Caption "
     u"rbtJMPIRLearn.Caption rbtJMPCloud.Caption rbtJMPCooler.Caption rbtJMPHeater.Caption "
     u"rbtJMPStorm.Caption rbtJMPLightning.Caption rbtJMPTimer.Caption rbtJMPServo.Caption "
     u"rbtJMPPWM.Caption edtTempCoolLow.Caption edtTempHeatLow.Caption tsMessages.Caption "
     u"mnuConnection.Caption mnuDiscover.Caption mnuRemove.Caption mnuConnect.Caption "
     u"mnuDisconnect.Caption mnuFile.Caption mnuScheduleImport.Caption mnuConfigImport.Caption "
     u"mnuScheduleConfigExport.Caption mnuFirmwareUpdate.Caption mnuExit.Caption mnuOptions.Caption "
     u"mnuModeManual.Caption mnuModeAuto.Caption mnuModeGeo.Caption mnuModeRGBDemo.Caption "
     u"mnuModeFlash.Caption mnuAllOff.Caption mnuAll20.Caption mnuAllOn.Caption mnuSetTimeDate.Caption "
     u"mnuStepBig.Caption mnuShowExpert.Caption mnuRefresh.Caption mnuSaveEEPROM.Caption "
     u"mnuIRLearn.Caption mnuLoadReef.Caption mnuHealth.Caption mnuDebug.Caption mnuHelp.Caption "
     u"mnuHardware.Caption mnuSoftware.Caption mnuFAQ.Caption mnuCopyCol.Caption mnuPasteCol.Caption "
     u"mnuSwapCol.Caption edtBalanceSum.Caption gbxCloudTemp.Caption edtBalanceSumRamp.Caption "
     u"edtBalanceSumRamp.Hint edtChartScale.Caption edtChartScale.Hint"_s)
        .split(u' ');

struct KnownText {
    QString section;
    QString key;
    QString text;
};

// Texts fixed by the device's documentation and by what users see today. Menu captions are
// compared as displayed, without their accelerator mark.
const std::vector<KnownText> KnownEnglishTexts = {
    {u"Messages"_s, u"Started"_s, u"started"_s},
    {u"Messages"_s, u"Bytes"_s, u"bytes"_s},
    {u"Messages"_s, u"ListingSerialPorts"_s, u"Listing seral ports..."_s},
    {u"Messages"_s, u"NoSerialPorts"_s, u"No serial ports found."_s},
    {u"Messages"_s, u"DebugMessagesActive"_s, u"Debug messages active"_s},
    {u"Messages"_s, u"DebugMessagesInactive"_s, u"Debug messages inactive"_s},
    {u"Messages"_s, u"SystemSuspending"_s, u"System is  standby"_s},
    {u"Messages"_s, u"SystemResuming"_s, u"System is awaking from standby"_s},
    {u"Messages"_s, u"FlashDlgText"_s,
     u"Updating the firmware will happen at your own risk.\\nA partially or faulty transmitted firmware is "
     u"not\\nexecutable. However, the sequence can be repeated.\\n\\nPlease note that all settings will be "
     u"reset to their defaults\\n(including the fan speeds).\\n\\nProceed?"_s},
    {u"Messages"_s, u"FlashDlgCaption"_s, u"Update firmware"_s},
    {u"Messages"_s, u"BoardTemperature"_s, u"Board temperature"_s},
    {u"Messages"_s, u"Overtemperature"_s, u"Overtemperature"_s},
    {u"Messages"_s, u"Undervoltage"_s, u"Undervoltage"_s},
    {u"Messages"_s, u"QuarzError"_s, u"Quarz error"_s},
    {u"Messages"_s, u"CRCError"_s, u"CRC error"_s},
    {u"Messages"_s, u"RAMFull"_s, u"RAM full"_s},
    {u"Messages"_s, u"RTCError"_s, u"RTC error"_s},
    {u"Messages"_s, u"TempBoardError"_s, u"TempBoard error"_s},
    {u"Messages"_s, u"PWMError"_s, u"PWM error"_s},
    {u"Messages"_s, u"CloudRatio"_s, u"Cloud ratio"_s},
    {u"Messages"_s, u"StormRatio"_s, u"Thunderstorm ratio"_s},
    {u"Messages"_s, u"CloudActiveNow"_s, u"Cloud currently active"_s},
    {u"Messages"_s, u"StormActiveNow"_s, u"Thunderstorm currently active"_s},
    {u"Messages"_s, u"LetterCloud"_s, u"O"_s},
    {u"Messages"_s, u"LetterStorm"_s, u"S"_s},
    {u"Messages"_s, u"LetterCooler"_s, u"C"_s},
    {u"Messages"_s, u"LetterHeater"_s, u"H"_s},
    {u"Messages"_s, u"LetterTimer"_s, u"T"_s},
    {u"Messages"_s, u"Saving"_s, u"Saving"_s},
    {u"Messages"_s, u"Altitude"_s, u"Alt"_s},
    {u"Messages"_s, u"Time"_s, u"Time"_s},
    {u"Messages"_s, u"ON"_s, u"ON"_s},
    {u"Messages"_s, u"OFF"_s, u"OFF"_s},
    {u"Messages"_s, u"QuillTempNotConnected"_s, u"QuillTemp (Temperature sensor) not connected"_s},
    {u"Messages"_s, u"Line"_s, u"Line"_s},
    {u"Messages"_s, u"Display"_s, u"Display"_s},
    {u"Messages"_s, u"Clouds"_s, u"Clouds"_s},
    {u"Messages"_s, u"Storms"_s, u"Thunderstorms"_s},
    {u"Messages"_s, u"Timer"_s, u"JMP pin"_s},
    {u"Messages"_s, u"ImportConfig"_s, u"Import configuration from..."_s},
    {u"Messages"_s, u"ZORVEXConfig"_s, u"%s configuration"_s},
    {u"Messages"_s, u"ExportScheduleConfig"_s, u"Export schedule and configuration to..."_s},
    {u"Messages"_s, u"ImportSchedule"_s, u"Import schedule from..."_s},
    {u"Messages"_s, u"IRLearnDlgCaption"_s, u"Pair IR remote control"_s},
    {u"Messages"_s, u"Phase"_s, u"Phase"_s},
    {u"Messages"_s, u"Sun"_s, u"Sun"_s},
    {u"Messages"_s, u"Azimuth"_s, u"Azimuth"_s},
    {u"Messages"_s, u"Rise"_s, u"Rise"_s},
    {u"Messages"_s, u"Moon"_s, u"Moon"_s},
    {u"Messages"_s, u"Set"_s, u"Set"_s},
    {u"Messages"_s, u"Hours"_s, u"hours"_s},
    {u"Messages"_s, u"DayLength"_s, u"Length of day"_s},
    {u"Messages"_s, u"MousePosition"_s, u"Mouse position"_s},
    {u"Messages"_s, u"Latitude"_s, u"Latitude"_s},
    {u"Messages"_s, u"Longitude"_s, u"Longitude"_s},
    {u"Messages"_s, u"DiscoverNearbyDevices"_s, u"Scanning for devices..."_s},
    {u"Messages"_s, u"DeviceDetected"_s, u"Detected %s:"_s},
    {u"Messages"_s, u"NoDeviceName"_s, u"No name was transmitted. Trying again..."_s},
    {u"Messages"_s, u"Installed"_s, u"installed"_s},
    {u"Messages"_s, u"Connected"_s, u"connected"_s},
    {u"Messages"_s, u"InstallingDevice"_s, u"Adding \"%s\" to the system..."_s},
    {u"Messages"_s, u"InstallSerialPort"_s, u"Installing serial port..."_s},
    {u"Messages"_s, u"InstallationStarted"_s,
     u"Installation started. A new serial port should appear in a few seconds."_s},
    {u"Messages"_s, u"BluetoothAvailable"_s, u"Is Bluetooth available and active?"_s},
    {u"Messages"_s, u"WindowsError"_s, u"Windows error %s: \"%s\"."_s},
    {u"Messages"_s, u"DiscoveryCompleted"_s,
     u"Scan finished. If the device could not be found, try again or use\\nthe control panel for manual "
     u"detection. The pairing code is always 7451"_s},
    {u"Messages"_s, u"ListingInstalledDevices"_s, u"Listing installed devices..."_s},
    {u"Messages"_s, u"NotInstalled"_s, u"not installed"_s},
    {u"Messages"_s, u"DeviceInUse"_s, u"Device is currently connected. Trying again..."_s},
    {u"Messages"_s, u"UninstallingDevice"_s, u"Uninstalling \"%s\"..."_s},
    {u"Messages"_s, u"UninstallSuccessful"_s, u"Uninstall successfull."_s},
    {u"Messages"_s, u"TryColdStart"_s,
     u"Switch off power supply, then try again, possibly restart Windows."_s},
    {u"Messages"_s, u"RemovalCompleted"_s,
     u"Scan finished. If the device could not be uninstalled, try again or use\\nthe control panal to "
     u"uninstall manually. The device needs to be disconnected."_s},
    {u"Messages"_s, u"ConnectingTo"_s, u"Connecting to %s..."_s},
    {u"Messages"_s, u"ConnectedTo"_s, u"Connected to %s"_s},
    {u"Messages"_s, u"ErrorConnectingTo"_s, u"Error while connecting to %s"_s},
    {u"Messages"_s, u"TryingAgain"_s, u"Trying again..."_s},
    {u"Messages"_s, u"ConnectionError"_s, u"Connection error or wrong serial port"_s},
    {u"Messages"_s, u"Done"_s, u"Done."_s},
    {u"Messages"_s, u"ReadingSchedule"_s, u"Downloading schedule..."_s},
    {u"Messages"_s, u"ReadingChart"_s, u"Downloading chart..."_s},
    {u"Messages"_s, u"DisconnectedFrom"_s, u"Disconnected from %s"_s},
    {u"Messages"_s, u"NoData"_s, u"No data."_s},
    {u"Messages"_s, u"TimeoutWhileWaiting"_s, u"Timeout while waiting for data."_s},
    {u"Messages"_s, u"ConnectedToOn"_s, u"Connected to %s on %s"_s},
    {u"Messages"_s, u"DetectedWrongVersionOn"_s,
     u"%s on %s detected (different firmware version). Please use the correct software version or update "
     u"the firmware (see menu \"File\")!"_s},
    {u"Messages"_s, u"ConnectedToBootloaderOn"_s, u"Connected to %s bootloader on %s"_s},
    {u"Messages"_s, u"OtherHardware"_s,
     u"Different hardware \"%s\" detected. Please use the correct software!"_s},
    {u"Messages"_s, u"ParsingError"_s, u"Error while parsing!"_s},
    {u"Messages"_s, u"ChecksumError"_s, u"Checksum error in file (%s)!"_s},
    {u"Messages"_s, u"NoDataInFile"_s, u"Error: File does not contain data!"_s},
    {u"Messages"_s, u"ChooseFirmware"_s, u"Choose %s firmware file"_s},
    {u"Messages"_s, u"FirmwareFile"_s, u"%s firmware"_s},
    {u"Messages"_s, u"Resetting"_s, u"Resetting..."_s},
    {u"Messages"_s, u"FlashSize"_s, u"Flash size: %s bytes"_s},
    {u"Messages"_s, u"FirmwareTooLarge"_s, u"Error: File is %s bytes too big!"_s},
    {u"Messages"_s, u"StartingFirmwareUpdate"_s, u"Starting firmware update, flashing %s bytes..."_s},
    {u"Messages"_s, u"TransferError"_s, u"Transmission error!"_s},
    {u"Messages"_s, u"FirmwareUpdateFailed"_s, u"Firmware update failed!"_s},
    {u"Messages"_s, u"FirmwareUpdateSuccessful"_s,
     u"Firmware successfully updated. Remove jumper (if set)!"_s},
    {u"Messages"_s, u"ModeManual"_s, u"Manual"_s},
    {u"Messages"_s, u"ModeAuto"_s, u"Auto"_s},
    {u"Messages"_s, u"ModeGeo"_s, u"Geo"_s},
    {u"Messages"_s, u"ModeRGBDemo"_s, u"RGB demo"_s},
    {u"Messages"_s, u"ModeFlash"_s, u"Flash"_s},
    {u"Messages"_s, u"English"_s, u"English"_s},
    {u"Messages"_s, u"German"_s, u"German"_s},
    {u"Messages"_s, u"ColorUnnamed"_s, u"Unnamed"_s},
    {u"Messages"_s, u"ColorWhite"_s, u"PureWhite"_s},
    {u"Messages"_s, u"ColorRed"_s, u"Red"_s},
    {u"Messages"_s, u"ColorGreen"_s, u"Green"_s},
    {u"Messages"_s, u"ColorBlue"_s, u"Blue"_s},
    {u"Messages"_s, u"ColorUV"_s, u"UV"_s},
    {u"Messages"_s, u"ColorMoonLight"_s, u"MoonLight"_s},
    {u"Messages"_s, u"ColorColdWhite"_s, u"ColdWhite"_s},
    {u"Messages"_s, u"ColorWarmWhite"_s, u"WarmWhite"_s},
    {u"Messages"_s, u"ColorYellow"_s, u"Yellow"_s},
    {u"Messages"_s, u"ColorPurple"_s, u"Purple"_s},
    {u"Messages"_s, u"ColorRoyalBlue"_s, u"RoyalBlue"_s},
    {u"Messages"_s, u"ColorCyan"_s, u"Cyan"_s},
    {u"Messages"_s, u"ColorViolet"_s, u"Violet"_s},
    {u"Messages"_s, u"ColorOrange"_s, u"Orange"_s},
    {u"Messages"_s, u"ColorDeepRed"_s, u"Deep red"_s},
    {u"frmZORVEX"_s, u"tsChannels.Caption"_s, u"Channels %s"_s},
    {u"frmZORVEX"_s, u"lblName0.Caption"_s, u"Label for channel %s"_s},
    {u"frmZORVEX"_s, u"btnOff0.Caption"_s, u"OFF"_s},
    {u"frmZORVEX"_s, u"btnOn0.Caption"_s, u"ON"_s},
    {u"frmZORVEX"_s, u"tsSchedule.Caption"_s, u"Schedule"_s},
    {u"frmZORVEX"_s, u"tsVisualize.Caption"_s, u"Visualization"_s},
    {u"frmZORVEX"_s, u"lblVisualize.Caption"_s, u"Adjust the following channel by click and drag:"_s},
    {u"frmZORVEX"_s, u"cbxTimeLock.Caption"_s, u"Lock times"_s},
    {u"frmZORVEX"_s, u"edtLat.Hint"_s, u"positive: north, negative: south"_s},
    {u"frmZORVEX"_s, u"edtLat.Caption"_s, u"Latitude"_s},
    {u"frmZORVEX"_s, u"edtLon.Hint"_s, u"positive: east, negative: west"_s},
    {u"frmZORVEX"_s, u"edtLon.Caption"_s, u"Longitude"_s},
    {u"frmZORVEX"_s, u"edtTime.Caption"_s, u"Time (HH:MM)"_s},
    {u"frmZORVEX"_s, u"btnNow.Hint"_s, u"Set current time and date"_s},
    {u"frmZORVEX"_s, u"btnNow.Caption"_s, u"Now"_s},
    {u"frmZORVEX"_s, u"tsConfig.Caption"_s, u"Configuration"_s},
    {u"frmZORVEX"_s, u"btnRealtime.Caption"_s, u"Realtime"_s},
    {u"frmZORVEX"_s, u"edtTimeLapse.Caption"_s, u"Time lapse factor"_s},
    {u"frmZORVEX"_s, u"edtLCDBLMax.Caption"_s, u"Bright level (%)"_s},
    {u"frmZORVEX"_s, u"edtLCDBLMin.Caption"_s, u"Dim level (%)"_s},
    {u"frmZORVEX"_s, u"edtLCDBLNight.Caption"_s, u"When \"OFF\" (see \"Schedule\") (%)"_s},
    {u"frmZORVEX"_s, u"edtFanHigh.Caption"_s, u"Fast level (%)"_s},
    {u"frmZORVEX"_s, u"edtFanLow.Caption"_s, u"Slow level (%)"_s},
    {u"frmZORVEX"_s, u"edtFanOff.Caption"_s, u"When LEDs are off (%)"_s},
    {u"frmZORVEX"_s, u"tsWeather.Caption"_s, u"Weather"_s},
    {u"frmZORVEX"_s, u"edtCloudCount.Caption"_s, u"Average number per day"_s},
    {u"frmZORVEX"_s, u"edtCloudSeconds.Caption"_s, u"Average duration in seconds"_s},
    {u"frmZORVEX"_s, u"edtCloudAlpha.Caption"_s, u"Remaining brightness (%)"_s},
    {u"frmZORVEX"_s, u"edtCloudStep.Caption"_s, u"Dimming speed"_s},
    {u"frmZORVEX"_s, u"btnCloud.Caption"_s, u"Trigger/stop now"_s},
    {u"frmZORVEX"_s, u"edtStormCount.Caption"_s, u"Average count per week"_s},
    {u"frmZORVEX"_s, u"edtStormMinutes.Caption"_s, u"Average duration in minutes"_s},
    {u"frmZORVEX"_s, u"edtStormAlpha.Caption"_s, u"Remaining brightness (%)"_s},
    {u"frmZORVEX"_s, u"edtStormStep.Caption"_s, u"Dimming speed"_s},
    {u"frmZORVEX"_s, u"btnStorm.Caption"_s, u"Trigger/stop now"_s},
    {u"frmZORVEX"_s, u"edtLightningP.Caption"_s, u"Lightning frequency"_s},
    {u"frmZORVEX"_s, u"tsWeatherDelay.Caption"_s, u"Delays"_s},
    {u"frmZORVEX"_s, u"tsMoon.Caption"_s, u"Moon"_s},
    {u"frmZORVEX"_s, u"tsTemp.Caption"_s, u"Chart"_s},
    {u"frmZORVEX"_s, u"tsExpert.Caption"_s, u"Expert options"_s},
    {u"frmZORVEX"_s, u"edtTWIBitrate.Hint"_s, u"25kHz -> 98; 50kHz -> 48; 100kHz -> 23"_s},
    {u"frmZORVEX"_s, u"edtTWIBitrate.Caption"_s, u"TWI bitrate (frequency=2500kHz/(bitrate+2); 10 to 255)"_s},
    {u"frmZORVEX"_s, u"edtChartInterval.Caption"_s, u"Recording interval (minutes)"_s},
    {u"frmZORVEX"_s, u"edtTimeZoneBias.Caption"_s, u"UTC+x (minutes)"_s},
    {u"frmZORVEX"_s, u"btnApplyTZI.Hint"_s, u"Applies the time zone data of this system."_s},
    {u"frmZORVEX"_s, u"btnApplyTZI.Caption"_s, u"Get from Windows"_s},
    {u"frmZORVEX"_s, u"gbxLightningMask.Caption"_s, u"Lightning: Bit mask (0 to 255)"_s},
    {u"frmZORVEX"_s, u"tsBalance.Caption"_s, u"White balance"_s},
    {u"frmZORVEX"_s, u"tsJMP.Caption"_s, u"JMP pin"_s},
    {u"frmZORVEX"_s, u"tsMessages.Caption"_s, u"Messages"_s},
    {u"frmZORVEX"_s, u"mnuDiscover.Caption"_s, u"Install devices automatically"_s},
    {u"frmZORVEX"_s, u"mnuRemove.Caption"_s, u"Uninstall devices automatically"_s},
    {u"frmZORVEX"_s, u"mnuConnect.Caption"_s, u"Connect to"_s},
    {u"frmZORVEX"_s, u"mnuDisconnect.Caption"_s, u"Disconnect"_s},
    {u"frmZORVEX"_s, u"mnuFile.Caption"_s, u"File"_s},
    {u"frmZORVEX"_s, u"mnuScheduleImport.Caption"_s, u"Import schedule..."_s},
    {u"frmZORVEX"_s, u"mnuConfigImport.Caption"_s, u"Import configuration..."_s},
    {u"frmZORVEX"_s, u"mnuScheduleConfigExport.Caption"_s, u"Export schedule and configuration..."_s},
    {u"frmZORVEX"_s, u"mnuFirmwareUpdate.Caption"_s, u"Update firmware..."_s},
    {u"frmZORVEX"_s, u"mnuExit.Caption"_s, u"Exit"_s},
    {u"frmZORVEX"_s, u"mnuModeManual.Caption"_s, u"Mode: Manual"_s},
    {u"frmZORVEX"_s, u"mnuModeAuto.Caption"_s, u"Mode: Auto"_s},
    {u"frmZORVEX"_s, u"mnuModeGeo.Caption"_s, u"Mode: Geo"_s},
    {u"frmZORVEX"_s, u"mnuModeRGBDemo.Caption"_s, u"Mode: RGB demo"_s},
    {u"frmZORVEX"_s, u"mnuModeFlash.Caption"_s, u"Mode: Flash"_s},
    {u"frmZORVEX"_s, u"mnuAllOff.Caption"_s, u"Set all channels to 0%"_s},
    {u"frmZORVEX"_s, u"mnuAll20.Caption"_s, u"Set all channels to 20%"_s},
    {u"frmZORVEX"_s, u"mnuAllOn.Caption"_s, u"Set all channels to 100%"_s},
    {u"frmZORVEX"_s, u"mnuSetTimeDate.Caption"_s, u"Set current time and date"_s},
    {u"frmZORVEX"_s, u"mnuStepBig.Caption"_s, u"Big step size"_s},
    {u"frmZORVEX"_s, u"mnuShowExpert.Caption"_s, u"Show Expert options"_s},
    {u"frmZORVEX"_s, u"mnuRefresh.Caption"_s, u"Refresh"_s},
    {u"frmZORVEX"_s, u"mnuSaveEEPROM.Caption"_s, u"Save settings permanently"_s},
    {u"frmZORVEX"_s, u"mnuIRLearn.Caption"_s, u"Pair IR remote control..."_s},
    {u"frmZORVEX"_s, u"mnuLoadReef.Caption"_s, u"Load reef bundle defaults"_s},
    {u"frmZORVEX"_s, u"mnuHealth.Caption"_s, u"Read health data"_s},
    {u"frmZORVEX"_s, u"mnuDebug.Caption"_s, u"Debug"_s},
    {u"frmZORVEX"_s, u"mnuHardware.Caption"_s, u"Hardware manual"_s},
    {u"frmZORVEX"_s, u"mnuSoftware.Caption"_s, u"Software manual / updates"_s},
    {u"frmZORVEX"_s, u"mnuFAQ.Caption"_s, u"FAQ / error tracking"_s},
    {u"frmZORVEX"_s, u"mnuCopyCol.Caption"_s, u"Copy content of this column"_s},
    {u"frmZORVEX"_s, u"mnuPasteCol.Caption"_s, u"Paste into this column"_s},
    {u"frmZORVEX"_s, u"mnuSwapCol.Caption"_s, u"Swap this and copied column"_s},
    {u"frmZORVEX"_s, u"edtBalanceSum.Caption"_s, u"Sum"_s},
    {u"frmZORVEX"_s, u"gbxCloudTemp.Caption"_s, u"Trigger clouds above certain temperatures"_s},
    {u"frmZORVEX"_s, u"edtChartScale.Caption"_s, u"Chart scale (°C)"_s},
    {u"frmZORVEX"_s, u"edtChartScale.Hint"_s, u"Vertical chart division. Range: 0.1 to 25.5°C."_s},
};

const LanguageTable& English() {
    static const LanguageTable table = LanguageTable::fromFile(u":/lang/en.ini"_s);
    return table;
}

const LanguageTable& German() {
    static const LanguageTable table = LanguageTable::fromFile(u":/lang/de.ini"_s);
    return table;
}

bool IsMenuCaption(const QString& key) {
    return key.startsWith(u"mnu"_s) && key.endsWith(u".Caption"_s);
}

// A menu caption as the menu shows it: the accelerator mark "&" is not displayed.
QString DisplayedText(const QString& key, const QString& value) {
    return IsMenuCaption(key) ? QString(value).remove(u'&') : value;
}

} // namespace

TEST(TranslationTables, BothHoldTheTwoSectionsWithEveryKeyInTableOrder) {
    ASSERT_EQ(MessageKeys.size(), 127);
    ASSERT_EQ(WindowKeys.size(), 158);
    for (const LanguageTable* table : {&English(), &German()}) {
        EXPECT_EQ(table->sections(), (QStringList{u"Messages"_s, u"frmZORVEX"_s}));
        EXPECT_EQ(table->keys(u"Messages"_s), MessageKeys);
        EXPECT_EQ(table->keys(u"frmZORVEX"_s), WindowKeys);
    }
}

TEST(TranslationTables, EveryTextIsFilledInBothLanguages) {
    for (const QString& section : {u"Messages"_s, u"frmZORVEX"_s}) {
        for (const QString& key : English().keys(section)) {
            EXPECT_FALSE(English().value(section, key).trimmed().isEmpty()) << qPrintable(key);
            EXPECT_FALSE(German().value(section, key).trimmed().isEmpty()) << qPrintable(key);
        }
    }
}

TEST(TranslationTables, GermanKeepsThePlaceholdersAndLineBreaksOfEnglish) {
    for (const QString& section : {u"Messages"_s, u"frmZORVEX"_s}) {
        for (const QString& key : English().keys(section)) {
            const QString english = English().value(section, key);
            const QString german = German().value(section, key);
            EXPECT_EQ(english.count(u"%s"_s), german.count(u"%s"_s)) << qPrintable(key);
            EXPECT_EQ(english.count(u"\\n"_s), german.count(u"\\n"_s)) << qPrintable(key);
        }
    }
}

TEST(TranslationTables, EnglishTextsAreTheKnownOnes) {
    for (const KnownText& known : KnownEnglishTexts)
        EXPECT_EQ(DisplayedText(known.key, English().value(known.section, known.key)), known.text)
            << qPrintable(known.key);
    EXPECT_TRUE(
        English()
            .value(u"frmZORVEX"_s, u"mem.Caption"_s)
            .startsWith(
                u"IMPORTANT: BEFORE POWERON PLEASE MAKE SURE ALL OUTPUTS ARE WIRED SEPARATELY AND"_s));
    EXPECT_TRUE(English().value(u"frmZORVEX"_s, u"edtBalanceSumRamp.Hint"_s).contains(u"-100 to 100%"_s));
    EXPECT_TRUE(English().value(u"Messages"_s, u"IRLearnDlgText"_s).endsWith(u"\\nProceed?"_s));
}

TEST(TranslationTables, MenuCaptionsCarryOneAcceleratorAndNoOtherTextDoes) {
    for (const LanguageTable* table : {&English(), &German()}) {
        for (const QString& key : WindowKeys) {
            const qsizetype marks = table->value(u"frmZORVEX"_s, key).count(u'&');
            EXPECT_EQ(marks, IsMenuCaption(key) ? 1 : 0) << qPrintable(key);
        }
        for (const QString& key : MessageKeys)
            EXPECT_FALSE(table->value(u"Messages"_s, key).contains(u'&')) << qPrintable(key);
    }
}

TEST(TranslationTables, GermanTextsAreStoredAsUtf8) {
    EXPECT_EQ(German().value(u"Messages"_s, u"ColorGreen"_s), u"Gr\u00fcn"_s);
    EXPECT_EQ(German().value(u"Messages"_s, u"Overtemperature"_s), u"\u00dcbertemperatur"_s);
    EXPECT_EQ(German().value(u"Messages"_s, u"ON"_s), u"EIN"_s);
    EXPECT_EQ(German().value(u"Messages"_s, u"OFF"_s), u"AUS"_s);
}
