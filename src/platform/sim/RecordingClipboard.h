#pragma once

#include "platform/Keyboard.h"
#include "platform/common/Transcript.h"

namespace orbelin::platform::sim {

/// Writes "clip \"TEXT\"" for every text put on the clipboard. It can be made
/// unavailable, like a clipboard held open by another program.
class RecordingClipboard : public Clipboard {
 public:
  explicit RecordingClipboard(Transcript& transcript) : m_transcript(transcript) {}
  bool setText(std::string_view text) override;
  /// While unavailable, setText writes nothing and returns false.
  void setAvailable(bool available) { m_available = available; }

 private:
  Transcript& m_transcript;
  bool m_available = true;
};

}  // namespace orbelin::platform::sim
