#include "app/startup/Program.h"

#include <system_error>

#include "report/FileExists.h"
#include "app/startup/DelayStart.h"
#include "settings/ControlCodeNames.h"
#include "settings/EditTableStore.h"
#include "settings/ProfileFile.h"
#include "settings/SettingsStore.h"

namespace orbelin::app {

namespace {

constexpr std::string_view kWriteTestTitle = "コントロール確認";
constexpr std::string_view kWriteTestText =
    "コントロールファイルの書き込みが行えません。\r\nインストール先が書き込み権限などあるか確認してください。";
constexpr std::string_view kInitialCaption = "COM";

void removeQuietly(const std::filesystem::path& path) {
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
}

/// FileExists answers yes for any path it cannot list, so in a program folder that is no
/// folder at all (a path under a regular file) every file would seem to exist and the
/// write test would pass.
bool folderIsReal(const std::filesystem::path& dir) {
  std::error_code error;
  return std::filesystem::is_directory(dir, error);
}

}  // namespace

Program::~Program() {
  if (m_finishWatch != 0) m_services.loop.stopTimer(m_finishWatch);
}

StartResult Program::Main() {
  if (m_services.lock != nullptr && !m_services.lock->tryAcquire()) return StartResult::AlreadyRunning;
  settings::ControlCodeNames();
  m_link.dump().clearRecentText();
  testProgramFolder();
  trimCapture();
  loadSettings();
  if (m_services.ensureDatabase) m_services.ensureDatabase();
  if (m_services.splash != nullptr) {
    m_services.splash->show();
    DelayStart(m_services.configuration.settings, *m_services.splash, m_services.loop, m_services.clock);
  }
  if (m_services.loop.quitting()) return StartResult::Running;
  deleteMarkers();
  m_services.window.setCaption(kInitialCaption);
  m_services.tray.setIcon(platform::IconState::Disconnected, m_services.window.caption());
  // The watch comes with the first access to the port, so a stop request is honoured
  // even while the box of a failed connection waits for the user.
  watchFinishMarker();
  m_link.connection().connectAtStartup();
  return StartResult::Running;
}

void Program::testProgramFolder() {
  const auto testFile = m_services.paths.writeTestFile();
  if (report::FileExists(testFile)) removeQuietly(testFile);
  settings::profileWrite("TES", "OK", "1", testFile);
  if (folderIsReal(m_services.paths.dir) && report::FileExists(testFile)) {
    removeQuietly(testFile);
  } else {
    m_services.messages.show(platform::MessageIcon::Critical, kWriteTestTitle, kWriteTestText);
  }
}

void Program::trimCapture() {
  const auto capture = m_services.paths.receiveCapture();
  if (!report::FileExists(capture)) return;
  std::error_code error;
  const auto size = std::filesystem::file_size(capture, error);
  if (!error && size > kCaptureLimitBytes) removeQuietly(capture);
}

void Program::loadSettings() {
  auto& configuration = m_services.configuration;
  const auto ini = m_services.paths.ini();
  settings::InitDefaults(configuration);
  settings::LoadEditTables(configuration.tables, ini, m_services.reporter);
  settings::LoadSettings(configuration, ini);
  if (!report::FileExists(ini)) {
    settings::PutEdy(configuration.tables, ini, m_services.reporter);
    settings::PutPGPra(configuration.settings, ini, m_services.reporter);
  }
}

void Program::deleteMarkers() {
  for (const auto& marker : {m_services.paths.finishMarker(), m_services.paths.dontKeyMarker()}) {
    if (report::FileExists(marker)) removeQuietly(marker);
  }
}

void Program::watchFinishMarker() {
  m_finishWatch = m_services.loop.startTimer(kFinishWatchMs, true, [this] {
    if (report::MarkerPresent(m_services.paths.finishMarker())) unload();
  });
}

void Program::exitFromMenu() {
  m_link.connection().disconnectIfOpen();
  unload();
}

void Program::unload() {
  if (m_ended) return;
  m_ended = true;
  if (m_finishWatch != 0) m_services.loop.stopTimer(m_finishWatch);
  m_finishWatch = 0;
  m_services.tray.remove();
  m_services.loop.quit();
  if (m_services.endProgram) m_services.endProgram();
}

}  // namespace orbelin::app
