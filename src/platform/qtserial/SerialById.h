#pragma once

#include <filesystem>
#include <vector>

#include "platform/StableSerialNames.h"

namespace orbelin::platform::qtserial {

/// Where udev puts a link named after the maker, model and serial number of each USB
/// serial device.
inline constexpr const char* kSerialByIdFolder = "/dev/serial/by-id";

/// The links in folder that lead to a device, sorted by name; empty when the folder is
/// missing (no USB serial device is plugged in).
std::vector<StableSerialName> serialDevicesById(const std::filesystem::path& folder = kSerialByIdFolder);

}  // namespace orbelin::platform::qtserial
