#pragma once

#include <cstdint>

#include "keyout/KeyOutput.h"
#include "settings/SettingKeys.h"

namespace orbelin::keyout {

/// Fixed pause after a paste and around a control character in the normal mode.
inline constexpr int kFixedPauseMs = 100;

/// Presses and releases vk with up to two modifiers held around it (0 for none), with
/// the KeyDwnWeight pause after every event. Out-of-range keys press nothing. Keys that
/// are down when a pause fails are released before the failure goes on.
void SendVKey(KeyOutput& out, int virtualKey, int modifier, int modifier2, bool extended);

/// Types one single-byte character (code 1-254) by the key and Shift state that the
/// current layout reports for it, with the AltGr key (the right Alt, extended) where the
/// layout reports Ctrl+Alt; other codes and characters without a key type nothing.
void SendCharKey(KeyOutput& out, std::int32_t code);

/// Sleeps for the value of a millisecond setting (KeyWeight, KeyDwnWeight); throws
/// report::RuntimeFailure when the value is no number.
void pauseFor(KeyOutput& out, settings::Setting setting);

/// Sleeps for ms milliseconds; nothing for 0 or less.
void pauseMs(KeyOutput& out, int ms);

}  // namespace orbelin::keyout
