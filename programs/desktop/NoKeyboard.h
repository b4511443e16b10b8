#pragma once

#include <chrono>
#include <thread>

#include "platform/Keyboard.h"

namespace orbelin::app {

/// The keyboard of a session where synthetic keystrokes cannot be sent (no X display,
/// no XTEST): it finds no focus window, so every transfer fails through the engine's
/// own failure path instead of typing into nothing.
class NoKeyboard final : public platform::Keyboard {
 public:
  void keyEvent(std::uint8_t, std::uint8_t, std::uint32_t) override {}
  std::int16_t keyForCharacter(std::uint8_t) override { return -1; }
  std::uint8_t scanCodeOf(std::uint8_t) override { return 0; }
  std::optional<platform::WindowId> focusWindow() override { return std::nullopt; }
  void postCharacter(platform::WindowId, char32_t) override {}
  void sleep(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

}  // namespace orbelin::app
