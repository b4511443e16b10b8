#include "platform/sim/RecordingClipboard.h"

#include <string>

namespace orbelin::platform::sim {

bool RecordingClipboard::setText(std::string_view text) {
  if (!m_available) return false;
  m_transcript.add("clip " + quoteForTranscript(text));
  return true;
}

}  // namespace orbelin::platform::sim
