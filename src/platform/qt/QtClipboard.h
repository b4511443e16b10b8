#pragma once

#include <string_view>

#include "platform/Keyboard.h"

namespace orbelin::platform::qt {

/// The system clipboard through QClipboard. Needs a QGuiApplication (or QApplication)
/// in this process, created before and living longer than any use; on X11 this process
/// stays the clipboard's owner until the next set, so its event loop must keep running
/// for other programs to paste (see servingPause).
class QtClipboard final : public Clipboard {
 public:
  /// Puts text (UTF-8) on the clipboard as plain text. False without a QGuiApplication.
  bool setText(std::string_view text) override;
};

/// A transfer pause for the X11 keyboard that lets the event loop run meanwhile, so the
/// text just put on the clipboard is handed to the program that pastes it. Without it a
/// paste asked for during the pause would be answered only after the next set, with the
/// wrong text. Timers and other events of this process run during the pause too.
void servingPause(int ms);

}  // namespace orbelin::platform::qt
