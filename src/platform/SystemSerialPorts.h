#pragma once

#include <functional>
#include <string>
#include <vector>

namespace orbelin::platform {

/// A COM port the system reports: its number, and what the system calls the device
/// (its friendly name where it has one).
struct SystemSerialPort {
  int number = 0;
  std::string name;  ///< UTF-8, "USB Serial Device (COM3)"; may be empty
};

/// The COM ports the system reports, by number; an empty function on a system whose
/// ports are device paths (the settings file's "PORTS" section names them there).
using SystemSerialPorts = std::function<std::vector<SystemSerialPort>()>;

}  // namespace orbelin::platform
