#pragma once

#include <memory>
#include <optional>
#include <string>

namespace orbelin::platform::inputmethod {

/// One input method program, as far as switching its composing off for the window with
/// the focus and on again goes. Every call is bounded in time; a failure says why in
/// error.
class MethodControl {
 public:
  virtual ~MethodControl() = default;
  /// The program's name for the log.
  virtual const char* name() const = 0;
  /// True when the program runs in this session; nothing when that cannot be found out.
  virtual std::optional<bool> present(std::string& error) = 0;
  /// True when composing is on for the focus; nothing on failure.
  virtual std::optional<bool> isOn(std::string& error) = 0;
  /// Switches composing off; false on failure.
  virtual bool switchOff(std::string& error) = 0;
  /// Switches composing on again after switchOff.
  virtual bool switchOn(std::string& error) = 0;
};

/// fcitx5 on the session bus: its controller's State, Deactivate and Activate act on
/// the input context that has the focus.
std::unique_ptr<MethodControl> makeFcitx5Control();

/// ibus on its own bus, whose address it publishes for the display: composing is off
/// when the global engine is a plain keyboard layout ("xkb:..."); it is switched off by
/// making the US layout the engine and on by going back to the user's engine.
std::unique_ptr<MethodControl> makeIBusControl();

}  // namespace orbelin::platform::inputmethod
