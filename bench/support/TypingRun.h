// One timed run of the normal transfer into the text box client, shared by the typing
// benchmarks so that their figures compare.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "keyout/KeySendData.h"
#include "platform/Keyboard.h"
#include "support/TextBox.h"

namespace orbelin::bench {

/// The normal transfer never touches the clipboard.
struct NoClipboard final : platform::Clipboard {
  bool setText(std::string_view) override { return false; }
};

struct TimedRun {
  /// What the box held afterwards; nothing when it did not answer.
  std::optional<std::string> received;
  bool typed = false;
  /// Until the transfer returned, and until the box had handled every key.
  double sendingSeconds = 0;
  double seconds = 0;
};

/// Types text into the emptied box and reads it back.
inline TimedRun typeTimed(const std::string& text, keyout::KeyOutput& out, platform::Keyboard& keyboard,
                          test::TextBox& client) {
  keyout::KeySendData("{C+A}{DELETE}", true, out);
  TimedRun run;
  const auto start = std::chrono::steady_clock::now();
  run.typed = keyout::KeySendData(text, true, out);
  run.sendingSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.received = client.text(keyboard);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return run;
}

}  // namespace orbelin::bench
