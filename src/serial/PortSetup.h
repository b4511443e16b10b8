#pragma once

#include <filesystem>
#include <string>

#include "platform/SerialPort.h"
#include "settings/Settings.h"

namespace orbelin::serial {

/// Highest COM number the port scan tries.
inline constexpr int kHighestPort = 16;

/// The device behind COM number: the value of key number in section "PORTS" of the
/// settings file ("3=/dev/ttyACM0"), else /dev/ttyS(number - 1).
std::string deviceForPort(int number, const std::filesystem::path& iniFile);

/// The port as the status caption names it: "COM" and the number, then a space and the
/// device when the settings file names one for it ("COM3 /dev/ttyACM0").
std::string portLabel(int number, const std::filesystem::path& iniFile);

/// The open request for COM number from the line settings Baud, Parity, Data, Stop,
/// Hand and Buf. Settings that the serial driver would silently replace by others
/// (4 or 5 data bits, 1.5 stop bits) are refused like values that are no setting at all:
/// report::RuntimeFailure with a description the failure report shows.
platform::PortRequest portRequestFor(int number, const settings::Settings& settings,
                                     const std::filesystem::path& iniFile);

}  // namespace orbelin::serial
