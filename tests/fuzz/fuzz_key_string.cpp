// Key strings through the three transfers on the recording keyboard: whatever the string,
// the pauses and a focus that may be lost on the way, every key pressed is released.
#include <cstddef>
#include <cstdint>
#include <set>
#include <sstream>
#include <string>

#include "FuzzSupport.h"
#include "keyout/DOSKeySendData.h"
#include "keyout/KeyOutput.h"
#include "keyout/KeySendData.h"
#include "keyout/LowKeySendData.h"
#include "platform/sim/RecordingClipboard.h"
#include "platform/sim/RecordingKeyboard.h"

namespace {

using namespace orbelin;

// Reads "key VK SCAN FLAGS" lines; a key still down at the end is a stuck key.
bool everyKeyReleased(const std::vector<std::string>& lines) {
  std::set<int> down;
  for (const std::string& line : lines) {
    std::istringstream fields(line);
    std::string word;
    int vk = 0;
    int scan = 0;
    unsigned flags = 0;
    if (!(fields >> word >> vk >> scan >> flags) || word != "key") continue;
    if ((flags & platform::kKeyUp) != 0) {
      down.erase(vk);
    } else {
      down.insert(vk);
    }
  }
  return down.empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  auto& h = fuzz::harness();
  settings::Settings settings = settings::Settings::defaults();
  fuzz::pick(input, settings, settings::Setting::KeyWeight, {"0", "1", "-5", "x", "2147483647"});
  fuzz::pick(input, settings, settings::Setting::KeyDwnWeight, {"0", "2", "-1", "x"});
  const int mode = input.ConsumeIntegralInRange(0, 2);
  const auto pasteMode = static_cast<std::int16_t>(input.ConsumeIntegralInRange(1, 3));
  const bool interpretTokens = input.ConsumeBool();
  const int focusLookups = input.ConsumeIntegralInRange(-1, 40);
  const std::string keyString = input.ConsumeRemainingBytesAsString();

  h.transcript.clear();
  platform::sim::RecordingKeyboard keyboard{h.transcript, &h.clock};
  if (focusLookups >= 0) keyboard.loseFocusAfter(focusLookups);
  platform::sim::RecordingClipboard clipboard{h.transcript};
  keyout::KeyOutput out{keyboard, clipboard, h.clock, settings, h.reporter, nullptr};
  switch (mode) {
    case 0: keyout::KeySendData(keyString, interpretTokens, out); break;
    case 1: keyout::DOSKeySendData(keyString, interpretTokens, pasteMode, out); break;
    default: keyout::LowKeySendData(keyString, interpretTokens, out); break;
  }
  fuzz::require(everyKeyReleased(h.transcript.lines()), "every key pressed is released");
  return 0;
}
