#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace orbelin::platform {
class Keyboard;
}

namespace orbelin::test {

namespace x11 {
class TextBoxDriver;
}

/// A file beside the test program (the real orbelin is built there).
std::filesystem::path besideThisProgram(const char* name);

std::string fileText(const std::filesystem::path& path);

/// ERROR.LOG and COMRECV.LOG of the program folder, for a failure's message.
std::string programLogs(const std::filesystem::path& dir);

/// The text box's text once it holds at least size bytes (a generous deadline); what it
/// held last otherwise, nothing when it never answered.
std::optional<std::string> textOnceTyped(x11::TextBoxDriver& client, platform::Keyboard& keyboard, std::size_t size);

/// A pty that the program opens as COM1; the test writes as the reader would. When link
/// is given, the program is told that path, a symbolic link to the pty, as a USB reader's
/// stable name is.
struct ReaderPty {
  explicit ReaderPty(std::filesystem::path link = {});
  ~ReaderPty();
  ReaderPty(const ReaderPty&) = delete;
  ReaderPty& operator=(const ReaderPty&) = delete;
  /// True once the program has set its own line settings on the pty.
  bool openedByProgram() const;
  void write(const std::string& bytes) const;
  /// Bytes written and not read by the program yet.
  int unread() const;
  /// The reader goes away as an unplugged USB reader does: its end of the line is closed
  /// and its name removed.
  void vanish();

  int master = -1;
  int slave = -1;
  std::string device;
  std::filesystem::path link;
};

/// Starts command with its standard output discarded.
pid_t start(const std::vector<std::string>& command);

/// QELT.INI with COM1 on device, framing STX ... CR, the main window kept in the tray;
/// the lines of portKeys are added to the section COM.
void writeSettings(const std::filesystem::path& dir, const std::string& device, const std::string& keySection = {},
                   const std::string& portKeys = {});

/// Ends the program through FINISH.TXT (killing it if it does not end) and the tray host.
void finish(const std::filesystem::path& dir, pid_t program, pid_t tray);

/// The real program in dir beside a tray host, ended by finish() when the test ends,
/// however it ends.
struct RunningProgram {
  explicit RunningProgram(const std::filesystem::path& folder);
  ~RunningProgram() { finish(dir, program, tray); }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;
  std::filesystem::path dir;
  pid_t tray = -1;
  pid_t program = -1;
};

/// The title of the program's main window (hidden in the tray or not): the one that
/// begins with a connection status; nothing when no such window exists.
std::optional<std::string> mainWindowCaption();

}  // namespace orbelin::test
