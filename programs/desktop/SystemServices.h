#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/EventLoop.h"
#include "platform/SerialPort.h"
#include "platform/StableSerialNames.h"
#include "platform/SystemSerialPorts.h"

namespace orbelin::app {

/// The serial port of this system, its notifications delivered through loop.
std::unique_ptr<platform::SerialPort> makeSerialPort(platform::EventLoop& loop);

/// The stable names of the serial devices plugged in, for the settings dialog's port
/// list; none on Windows, whose COM numbers are the devices' names.
platform::StableSerialNames stableSerialNames();

/// The COM ports the system reports, for the same list: the registry's on Windows; none
/// on Linux, whose ports are the device paths of the settings file.
platform::SystemSerialPorts systemSerialPorts();

/// True when a notification-area host shows the tray icon's balloon messages as such
/// (a StatusNotifier host on Linux desktops; always on Windows).
bool trayShowsMessages();

/// Puts the entry that starts program at sign-in where this system looks for it (the
/// Startup folder's "Orbelin.lnk" on Windows, the autostart desktop entry elsewhere).
/// Fails silently, as the menu command does.
void writeStartupEntry(const std::filesystem::path& program, const std::optional<std::filesystem::path>& programDir);

/// Why no window can be shown (Qt would abort without a display); nothing when one can.
std::optional<std::string> missingDisplay();

}  // namespace orbelin::app
