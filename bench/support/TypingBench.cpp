// Types 2,000 mixed characters (ASCII and Japanese) into the text box client through
// the normal transfer with both pauses at 0, and reports characters per second,
// characters lost and the keyboard's keymap work (changes of the X11 keyboard mapping,
// keymap uploads of the Wayland keyboard). Built once per keyboard backend, each needing
// a display of its own: run it through with-xvfb.sh or with-sway.sh. An argument repeats
// every measurement that many times.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "settings/Settings.h"
#include "support/Harness.h"
#include "support/MethodWait.h"
#include "support/TypingRun.h"
#include "support/TypingTexts.h"

// What differs between the backends: the keyboard, how the text box gets the focus, the
// room in the keyboard's keymap and the work it did there.
#if defined(ORBELIN_TYPING_BENCH_WAYLAND)
#include "platform/wayland/WaylandKeyboard.h"
#else
#include "platform/x11/X11Keyboard.h"
#endif
namespace {
#if defined(ORBELIN_TYPING_BENCH_WAYLAND)
using BackendKeyboard = orbelin::platform::wayland::WaylandKeyboard;
constexpr auto kFocus = orbelin::test::TextBox::Focus::Await;
std::string keymapRoom(BackendKeyboard& k) { return std::to_string(k.bindingCapacity()) + " characters per keymap"; }
int keymapWork(BackendKeyboard& keyboard) { return keyboard.keymapUploads(); }
#else
using BackendKeyboard = orbelin::platform::x11::X11Keyboard;
constexpr auto kFocus = orbelin::test::TextBox::Focus::Give;
std::string keymapRoom(BackendKeyboard& k) { return std::to_string(k.spareBindings()) + " spare key bindings"; }
int keymapWork(BackendKeyboard& keyboard) { return keyboard.mappingChanges(); }
#endif
}  // namespace

using namespace orbelin;
using bench::characters;
using bench::TypingText;

namespace {

// Types one text into the emptied box; true when it arrived unchanged.
bool measure(const TypingText& text, BackendKeyboard& keyboard, keyout::KeyOutput& out, test::TextBox& client) {
  const auto expected = characters(text.text);
  std::vector<std::string> distinct;
  for (const auto& c : expected) {
    if (c.size() > 1 && std::find(distinct.begin(), distinct.end(), c) == distinct.end()) distinct.push_back(c);
  }
  const int workBefore = keymapWork(keyboard);
  const bench::TimedRun run = bench::typeTimed(text.text, out, keyboard, client);
  if (!run.typed || !run.received) {
    std::fprintf(stderr, "typing failed or the client did not answer\n");
    return false;
  }
  const auto received = characters(*run.received);
  std::printf("%s: %zu characters, %zu distinct non-ASCII\n", text.name, expected.size(), distinct.size());
  std::printf("  received %zu, lost %zu, identical %s\n", received.size(), bench::lostCharacters(expected, received),
              *run.received == text.text ? "yes" : "no");
  std::printf("  %.2f s (sent in %.2f s), %.1f characters per second, keymap work %d\n", run.seconds,
              run.sendingSeconds, static_cast<double>(expected.size()) / run.seconds,
              keymapWork(keyboard) - workBefore);
  return *run.received == text.text;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
  auto opened = BackendKeyboard::open();
  if (!opened.keyboard) {
    std::fprintf(stderr, "no keyboard: %s\n", opened.reason.c_str());
    return 1;
  }
  auto& keyboard = *opened.keyboard;
  test::TextBox client(kFocus);
  if (!client.ready()) {
    std::fprintf(stderr, "%s\n", client.problem().c_str());
    return 1;
  }
  // Under an input method (with-input-method.sh), typing starts once it composes for the
  // box, as a user's first scan comes after the window has had the focus a while.
  if (std::getenv("QT_IM_MODULE") != nullptr && !test::methodBecomes(*test::sessionMethod(), true)) {
    std::fprintf(stderr, "the input method did not compose for the text box\n");
    return 1;
  }
  test::Harness harness;
  const settings::Settings settings = settings::Settings::defaults();  // both pauses "0"
  bench::NoClipboard noClipboard;
  keyout::KeyOutput out{keyboard, noClipboard, harness.clock, settings, harness.reporter, nullptr};

  std::printf("normal transfer, KeyWeight 0, KeyDwnWeight 0, %s\n", keymapRoom(keyboard).c_str());
  const auto texts = bench::typingTexts();
  bool identical = true;
  for (int round = 0; round < rounds; ++round) {
    for (const auto& text : texts) identical = measure(text, keyboard, out, client) && identical;
  }
  return identical ? 0 : 2;
}
