#include "platform/sim/RecordingTrayIcon.h"

namespace orbelin::platform::sim {

void RecordingTrayIcon::setIcon(IconState state, std::string_view tip) {
  m_tip = tip;
  m_removed = false;
  m_transcript.add("icon " + std::string(iconStateName(state)));
}

}  // namespace orbelin::platform::sim
