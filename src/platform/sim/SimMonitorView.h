#pragma once

#include <string>

#include "platform/MonitorView.h"

namespace orbelin::platform::sim {

/// A monitor that keeps the last dump it was shown.
class SimMonitorView : public MonitorView {
 public:
  void showDump(std::string_view hexText, std::string_view sendText) override {
    m_hex = hexText;
    m_text = sendText;
  }
  const std::string& hexText() const { return m_hex; }
  const std::string& sendText() const { return m_text; }

 private:
  std::string m_hex;
  std::string m_text;
};

}  // namespace orbelin::platform::sim
