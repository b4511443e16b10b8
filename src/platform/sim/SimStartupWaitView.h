#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/StartupWaitView.h"

namespace orbelin::platform::sim {

/// A splash window that keeps what it was shown; it can be told to see a key press
/// after a number of labels, like a user who stops the wait.
class SimStartupWaitView : public StartupWaitView {
 public:
  void show() override { m_shown = true; }
  void setProgressRange(int minimum, int maximum) override {
    m_minimum = minimum;
    m_maximum = maximum;
  }
  void setProgress(int value) override { m_progress.push_back(value); }
  void setLabel(std::string_view text) override { m_labels.emplace_back(text); }
  bool abortRequested() const override { return m_abortAfter && m_labels.size() >= *m_abortAfter; }
  void close() override { m_closed = true; }

  /// The user presses a key once count labels have been shown.
  void abortAfterLabels(std::size_t count) { m_abortAfter = count; }
  const std::vector<std::string>& labels() const { return m_labels; }
  const std::vector<int>& progress() const { return m_progress; }
  int maximum() const { return m_maximum; }
  bool shown() const { return m_shown; }
  bool closed() const { return m_closed; }

 private:
  std::vector<std::string> m_labels;
  std::vector<int> m_progress;
  std::optional<std::size_t> m_abortAfter;
  int m_minimum = 0;
  int m_maximum = 0;
  bool m_shown = false;
  bool m_closed = false;
};

}  // namespace orbelin::platform::sim
