#pragma once

#include <string>

#include "platform/common/Transcript.h"
#include "platform/TrayIcon.h"

namespace orbelin::platform::sim {

/// A tray icon that writes "icon STATE" for every state it is given.
class RecordingTrayIcon : public TrayIcon {
 public:
  explicit RecordingTrayIcon(Transcript& transcript) : m_transcript(transcript) {}
  void setIcon(IconState state, std::string_view tip) override;
  void remove() override { m_removed = true; }

  const std::string& tip() const { return m_tip; }
  bool removed() const { return m_removed; }

 private:
  Transcript& m_transcript;
  std::string m_tip;
  bool m_removed = false;
};

}  // namespace orbelin::platform::sim
