#include "platform/sim/RecordingMessageBox.h"

namespace orbelin::platform::sim {

void RecordingMessageBox::show(MessageIcon icon, std::string_view title, std::string_view text) {
  std::string line = "msgbox ";
  line += iconName(icon);
  line += ' ';
  line += quoteForTranscript(title);
  line += ' ';
  line += quoteForTranscript(text);
  m_transcript.add(std::move(line));
}

}  // namespace orbelin::platform::sim
