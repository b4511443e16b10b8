#pragma once

#include <string>

#include "platform/MainWindow.h"
#include "platform/common/Transcript.h"

namespace orbelin::platform::sim {

/// A main window that writes "caption \"TEXT\"" for every caption it is given.
class RecordingMainWindow : public MainWindow {
 public:
  explicit RecordingMainWindow(Transcript& transcript) : m_transcript(transcript) {}
  void setCaption(std::string_view caption) override;
  std::string caption() const override { return m_caption; }
  void setConnectButtonText(std::string_view text) override { m_buttonText = text; }
  void minimize() override { ++m_minimizeCount; }

  const std::string& connectButtonText() const { return m_buttonText; }
  int minimizeCount() const { return m_minimizeCount; }

 private:
  Transcript& m_transcript;
  std::string m_caption = "COM";
  std::string m_buttonText = "未接続";
  int m_minimizeCount = 0;
};

}  // namespace orbelin::platform::sim
