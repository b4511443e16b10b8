#pragma once

#include "platform/MessageBox.h"
#include "platform/common/Transcript.h"

namespace orbelin::platform::sim {

/// Writes "msgbox ICON \"TITLE\" \"TEXT\"" for every box and returns at once.
class RecordingMessageBox : public MessageBox {
 public:
  explicit RecordingMessageBox(Transcript& transcript) : m_transcript(transcript) {}
  void show(MessageIcon icon, std::string_view title, std::string_view text) override;

 private:
  Transcript& m_transcript;
};

}  // namespace orbelin::platform::sim
