#pragma once

#include <optional>
#include <string>

namespace orbelin::platform::qtserial {

/// Why this user may not open device, which exists, and how to fix it: membership of the
/// group that owns it (with the command that grants it), a login that predates the
/// membership, or a udev rule when the group has no access either. None when the user
/// may open it or the device is missing: the failure has another cause then.
std::optional<std::string> permissionAdvice(const std::string& device);

}  // namespace orbelin::platform::qtserial
