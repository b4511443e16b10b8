#include "platform/sim/ScriptedYesNoPrompt.h"

#include <string>

namespace orbelin::platform::sim {

bool ScriptedYesNoPrompt::ask(MessageIcon /*icon*/, std::string_view title, std::string_view text) {
  std::string line = "msgbox question ";
  line += quoteForTranscript(title);
  line += ' ';
  line += quoteForTranscript(text);
  m_transcript.add(std::move(line));
  if (m_answers.empty()) return false;
  const bool yes = m_answers.front();
  m_answers.pop_front();
  return yes;
}

}  // namespace orbelin::platform::sim
