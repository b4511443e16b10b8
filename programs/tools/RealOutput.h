#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "desktop/KeyOutputBackend.h"
#include "platform/Keyboard.h"
#include "platform/sim/RecordingClipboard.h"
#include "platform/sim/RecordingKeyboard.h"

namespace orbelin::tools {

/// Types for real through another keyboard (the X11 one) while the recording keyboard
/// still writes every action to the transcript. Layout and focus are the real
/// keyboard's; pauses are real and also pass in virtual time.
class TeeKeyboard : public platform::Keyboard {
 public:
  TeeKeyboard(platform::Keyboard& real, platform::sim::RecordingKeyboard& recorder, bool noFocus)
      : m_real(real), m_recorder(recorder), m_noFocus(noFocus) {}

  void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) override {
    m_real.keyEvent(virtualKey, scanCode, flags);
    m_recorder.keyEvent(virtualKey, scanCode, flags);
  }
  std::int16_t keyForCharacter(std::uint8_t character) override { return m_real.keyForCharacter(character); }
  std::uint8_t scanCodeOf(std::uint8_t virtualKey) override { return m_real.scanCodeOf(virtualKey); }
  std::optional<platform::WindowId> focusWindow() override {
    if (m_noFocus) return std::nullopt;
    return m_real.focusWindow();
  }
  void postCharacter(platform::WindowId window, char32_t character) override {
    m_real.postCharacter(window, character);
    m_recorder.postCharacter(window, character);
  }
  void sleep(int ms) override {
    m_real.sleep(ms);
    m_recorder.sleep(ms);
  }
  void prepareCharacters(std::span<const char32_t> characters) override { m_real.prepareCharacters(characters); }
  void beginRecord() override {
    m_real.beginRecord();
    m_recorder.beginRecord();
  }
  void endRecord() override {
    m_real.endRecord();
    m_recorder.endRecord();
  }
  std::string takeNotice() override { return m_real.takeNotice(); }

 private:
  platform::Keyboard& m_real;
  platform::sim::RecordingKeyboard& m_recorder;
  bool m_noFocus;
};

/// Puts text on the real clipboard and writes it to the transcript.
class TeeClipboard : public platform::Clipboard {
 public:
  TeeClipboard(platform::Clipboard& real, platform::sim::RecordingClipboard& recorder)
      : m_real(real), m_recorder(recorder) {}
  bool setText(std::string_view text) override {
    const bool ok = m_real.setText(text);
    if (ok) m_recorder.setText(text);
    return ok;
  }

 private:
  platform::Clipboard& m_real;
  platform::sim::RecordingClipboard& m_recorder;
};

/// The command line a Qt application is made with: it keeps argc and argv for its whole life.
struct QtCommandLine {
  QtCommandLine(const char* program, const std::vector<std::string>& options) : words(options) {
    words.insert(words.begin(), program);
    for (auto& word : words) argv.push_back(word.data());
    argc = static_cast<int>(words.size());
    argv.push_back(nullptr);
  }
  std::vector<std::string> words;
  std::vector<char*> argv;
  int argc = 0;
};

/// The keyboard named kind (the X11 one of the display in DISPLAY, or the Wayland one of
/// WAYLAND_DISPLAY) and its clipboard, chosen as the program chooses them, with the Qt
/// application they need, made with Qt's standard options qtOptions; nothing and a
/// reason when there is no usable display.
struct RealOutput {
  std::unique_ptr<QtCommandLine> commandLine;  // outlives the application
  std::shared_ptr<void> application;
  std::unique_ptr<app::KeyOutputBackend> backend;
};
std::optional<RealOutput> openRealOutput(std::string_view kind, const std::vector<std::string>& qtOptions,
                                         std::string& reason);
/// The values of --keyboard that type for real on this system ("x11|wayland", "win32").
extern const char* const kRealKeyboardName;
/// True when kind is one of them.
bool isRealKeyboardName(std::string_view kind);
/// Script and transcript bytes pass the standard streams unchanged (no CR LF translation
/// on Windows), so both builds print the same transcript.
void useBinaryStandardStreams();

}  // namespace orbelin::tools
