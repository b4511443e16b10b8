#pragma once

#include <deque>

#include "platform/common/Transcript.h"
#include "platform/YesNoPrompt.h"

namespace orbelin::platform::sim {

/// Writes "msgbox question \"TITLE\" \"TEXT\"" for every question and answers from a
/// scripted queue; an empty queue answers No, the default button.
class ScriptedYesNoPrompt : public YesNoPrompt {
 public:
  explicit ScriptedYesNoPrompt(Transcript& transcript) : m_transcript(transcript) {}
  /// Queues the answer to one later question.
  void answer(bool yes) { m_answers.push_back(yes); }
  bool ask(MessageIcon icon, std::string_view title, std::string_view text) override;

 private:
  Transcript& m_transcript;
  std::deque<bool> m_answers;
};

}  // namespace orbelin::platform::sim
