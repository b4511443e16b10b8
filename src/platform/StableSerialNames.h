#pragma once

#include <functional>
#include <string>
#include <vector>

namespace orbelin::platform {

/// A serial device under a name that does not change with the socket or the order in
/// which devices appear, and the device node that name leads to now.
struct StableSerialName {
  std::string path;    ///< "/dev/serial/by-id/usb-..."
  std::string device;  ///< "/dev/ttyACM0"
};

/// The stable names of the serial devices present, sorted by path; empty on a system
/// that has none.
using StableSerialNames = std::function<std::vector<StableSerialName>()>;

}  // namespace orbelin::platform
