#pragma once

#include <functional>

#include "report/FailureReporter.h"
#include "report/ProgramPaths.h"
#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "platform/InstanceLock.h"
#include "platform/MainWindow.h"
#include "platform/MessageBox.h"
#include "platform/StartupWaitView.h"
#include "platform/TrayIcon.h"
#include "serial/SerialLink.h"
#include "settings/Configuration.h"

namespace orbelin::app {

/// RCV.TXT above this size is deleted at start-up.
inline constexpr std::uintmax_t kCaptureLimitBytes = 4'999'999;
/// How often the FINISH.TXT watch looks.
inline constexpr int kFinishWatchMs = 100;

/// What start-up and shutdown work with besides the serial link.
struct ShellServices {
  const report::ProgramPaths& paths;
  platform::Clock& clock;
  platform::EventLoop& loop;
  platform::MessageBox& messages;
  report::FailureReporter& reporter;
  settings::Configuration& configuration;
  platform::MainWindow& window;
  platform::TrayIcon& tray;
  /// The splash window of the start-up wait; none runs the wait without a window.
  platform::StartupWaitView* splash = nullptr;
  /// The single-instance lock; none skips the check (the replay tool).
  platform::InstanceLock* lock = nullptr;
  /// Creates QELT.PDF from the built-in table when it is missing.
  std::function<void()> ensureDatabase;
  /// Ends the process once the shutdown sequence has run; unset only quits the loop.
  std::function<void()> endProgram;
};

enum class StartResult { Running, AlreadyRunning };

/// The program's life: start-up in its fixed order, the FINISH.TXT watch and shutdown.
class Program {
 public:
  Program(ShellServices services, serial::SerialLink& link) : m_services(std::move(services)), m_link(link) {}
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  /// Start-up: ends at once when another instance runs; otherwise checks the folder,
  /// loads (or first writes) the settings, waits, deletes stale markers, shows the
  /// window and connects. The program then runs from the event loop.
  StartResult Main();
  /// The menu's exit: disconnect if open, then unload.
  void exitFromMenu();
  /// The main window's unload, whatever the cause: removes the tray icon and ends.
  void unload();
  bool ended() const { return m_ended; }

 private:
  void testProgramFolder();
  void trimCapture();
  void loadSettings();
  void deleteMarkers();
  void watchFinishMarker();

  ShellServices m_services;
  serial::SerialLink& m_link;
  platform::EventLoop::TimerId m_finishWatch = 0;
  bool m_ended = false;
};

}  // namespace orbelin::app
