#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "platform/Keyboard.h"
#include "platform/common/Transcript.h"
#include "platform/sim/SimClock.h"

namespace orbelin::platform::sim {

/// A keyboard that writes what it is asked to do as transcript lines: "key VK SCAN FLAGS",
/// "ime CODE" and "sleep MS" (only pauses above 0). Its layout is the US English one as
/// the Windows keyboard functions report it, so event sequences can be checked exactly.
/// Sleeping advances the simulated clock, when one is given, or passes through the pause
/// that was set: the real transfer pauses let the event loop run, and so can this one.
class RecordingKeyboard : public Keyboard {
 public:
  /// The focus window that lookups find until told otherwise.
  static constexpr WindowId kDefaultFocus = 1;

  explicit RecordingKeyboard(Transcript& transcript, SimClock* clock = nullptr)
      : m_transcript(transcript), m_clock(clock) {}

  void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) override;
  std::int16_t keyForCharacter(std::uint8_t character) override;
  std::uint8_t scanCodeOf(std::uint8_t virtualKey) override;
  std::optional<WindowId> focusWindow() override;
  void postCharacter(WindowId window, char32_t character) override;
  void sleep(int ms) override;
  /// Counted, not written: transcripts stay as they were.
  void beginRecord() override { ++m_begun; }
  void endRecord() override { ++m_ended; }
  std::string takeNotice() override { return std::exchange(m_notice, {}); }

  /// Records begun and ended so far.
  int recordsBegun() const { return m_begun; }
  int recordsEnded() const { return m_ended; }
  /// The notice the next takeNotice() hands out.
  void setNotice(std::string notice) { m_notice = std::move(notice); }

  /// What a pause does instead of advancing the clock, for example letting the simulated
  /// event loop run what falls due meanwhile (see SimEventLoop::pause).
  void setPause(std::function<void(int ms)> pause) { m_pause = std::move(pause); }
  /// The window focus lookups find; nothing means the lookup fails (attach failed).
  void setFocusWindow(std::optional<WindowId> window) { m_focus = window; }
  /// Lets the next count lookups succeed and every later one fail, like a user who
  /// switches to a window the program cannot reach in the middle of a string.
  void loseFocusAfter(int count) { m_lookupsLeft = count; }

 private:
  Transcript& m_transcript;
  SimClock* m_clock;
  std::function<void(int ms)> m_pause;
  std::optional<WindowId> m_focus = kDefaultFocus;
  std::optional<int> m_lookupsLeft;
  int m_begun = 0;
  int m_ended = 0;
  std::string m_notice;
};

/// VkKeyScanA of the US English layout: virtual key in the low byte, shift state in the
/// high byte (1 Shift, 2 Ctrl, 4 Alt), -1 when no key types the character.
std::int16_t usKeyForCharacter(std::uint8_t character);
/// MapVirtualKeyA (map type 0) of the US English layout: the set-1 scan code, 0 for none.
std::uint8_t usScanCodeOf(std::uint8_t virtualKey);

}  // namespace orbelin::platform::sim
