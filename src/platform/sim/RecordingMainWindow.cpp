#include "platform/sim/RecordingMainWindow.h"

namespace orbelin::platform::sim {

void RecordingMainWindow::setCaption(std::string_view caption) {
  m_caption = caption;
  m_transcript.add("caption " + quoteForTranscript(caption));
}

}  // namespace orbelin::platform::sim
