#pragma once

#include <vector>

#include "platform/SystemSerialPorts.h"

namespace orbelin::platform::win32 {

/// The COM ports in the registry's serial device map (HKLM\HARDWARE\DEVICEMAP\SERIALCOMM),
/// sorted by number, each named by the device's friendly name where the Ports device
/// class has one, else by its device name in the map ("\Device\Serial0").
std::vector<SystemSerialPort> serialCommPorts();

}  // namespace orbelin::platform::win32
