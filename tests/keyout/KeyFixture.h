#pragma once

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "keyout/KeyOutput.h"
#include "platform/WindowActivation.h"
#include "platform/sim/RecordingClipboard.h"
#include "platform/sim/RecordingKeyboard.h"
#include "settings/Settings.h"
#include "support/Harness.h"

namespace orbelin::keyout::test {

using Lines = std::vector<std::string>;

/// Writes "activate" when the main window is brought back, so tests see where it
/// happens among the key events and the message box.
class RecordingActivation : public platform::WindowActivation {
 public:
  explicit RecordingActivation(platform::Transcript& transcript) : m_transcript(transcript) {}
  void showNormalAndFocus() override { m_transcript.add("activate"); }

 private:
  platform::Transcript& m_transcript;
};

/// A transfer wired to the recording keyboard and clipboard, on 28 March 2008 14:05:09,
/// with the default settings (both pauses "0").
struct KeyFixture {
  orbelin::test::Harness h;
  settings::Settings settings = settings::Settings::defaults();
  platform::sim::RecordingKeyboard keyboard{h.transcript, &h.clock};
  platform::sim::RecordingClipboard clipboard{h.transcript};
  RecordingActivation window{h.transcript};
  KeyOutput out{keyboard, clipboard, h.clock, settings, h.reporter, &window};

  void weights(const char* keyWeight, const char* keyDwnWeight) {
    settings.set(settings::Setting::KeyWeight, keyWeight);
    settings.set(settings::Setting::KeyDwnWeight, keyDwnWeight);
  }
  const std::vector<std::string>& lines() const { return h.transcript.lines(); }
};

/// The transcript lines of one key press with its KeyDwnWeight pauses (none when 0).
inline std::vector<std::string> press(int vk, int scan, int flags = 0, int pause = 0) {
  std::vector<std::string> out;
  const std::string tail = ' ' + std::to_string(vk) + ' ' + std::to_string(scan) + ' ';
  out.push_back("key" + tail + std::to_string(flags));
  if (pause > 0) out.push_back("sleep " + std::to_string(pause));
  out.push_back("key" + tail + std::to_string(flags + 2));
  if (pause > 0) out.push_back("sleep " + std::to_string(pause));
  return out;
}

/// Joins line lists: cat({"a"}, press(65, 30)).
inline std::vector<std::string> cat(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

/// A key string, the two pauses it is typed with and the transcript it leaves.
struct TransferCase {
  const char* keyString;
  const char* keyWeight;
  const char* keyDwnWeight;
  Lines expected;
};

/// Types each case with tokens on through send, on a fixture of its own: each succeeds
/// and leaves exactly its lines.
inline void expectTransfers(std::span<const TransferCase> cases,
                            bool (*send)(std::string_view keyString, bool interpretTokens, KeyOutput& out)) {
  for (const auto& c : cases) {
    KeyFixture f;
    f.weights(c.keyWeight, c.keyDwnWeight);
    EXPECT_TRUE(send(c.keyString, true, f.out)) << c.keyString;
    EXPECT_EQ(f.lines(), c.expected) << c.keyString;
  }
}

}  // namespace orbelin::keyout::test
