// Types the 2,000-character texts of every typing benchmark (ASCII and Japanese) into the
// text box client as a Wayland client, through the virtual keyboard and the normal
// transfer with both pauses at 0, and reports characters per second and characters
// lost. Needs a compositor of its own: run it through with-sway.sh.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "WaylandTextBox.h"
#include "keyout/KeySendData.h"
#include "platform/wayland/WaylandKeyboard.h"
#include "settings/Settings.h"
#include "support/TypingTexts.h"
#include "support/Harness.h"

using namespace orbelin;
using bench::characters;
using bench::TypingText;

// Types one text into the emptied box; true when it arrived unchanged.
bool measure(const TypingText& run, platform::wayland::WaylandKeyboard& keyboard, keyout::KeyOutput& out,
             test::wayland::WaylandTextBox& client) {
  keyout::KeySendData("{C+A}{DELETE}", true, out);
  const std::string& text = run.text;
  const auto expected = characters(text);
  std::vector<std::string> distinct;
  for (const auto& c : expected) {
    if (c.size() > 1 && std::find(distinct.begin(), distinct.end(), c) == distinct.end()) distinct.push_back(c);
  }
  const int changesBefore = keyboard.keymapUploads();
  const auto start = std::chrono::steady_clock::now();
  const bool typed = keyout::KeySendData(text, true, out);
  const auto got = client.text(keyboard);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!typed || !got) {
    std::fprintf(stderr, "typing failed or the client did not answer\n");
    return false;
  }
  const auto received = characters(*got);
  std::printf("%s: %zu characters, %zu distinct non-ASCII\n", run.name, expected.size(), distinct.size());
  std::printf("  received %zu, lost %zu, identical %s\n", received.size(), bench::lostCharacters(expected, received),
              *got == text ? "yes" : "no");
  std::printf("  %.2f s, %.1f characters per second, %d keymap uploads\n", seconds,
              static_cast<double>(expected.size()) / seconds, keyboard.keymapUploads() - changesBefore);
  return *got == text;
}

int main() {
  auto opened = platform::wayland::WaylandKeyboard::open();
  if (!opened.keyboard) {
    std::fprintf(stderr, "no keyboard: %s\n", opened.reason.c_str());
    return 1;
  }
  auto& keyboard = *opened.keyboard;
  test::wayland::WaylandTextBox client;
  if (!client.ready()) {
    std::fprintf(stderr, "%s\n", client.problem().c_str());
    return 1;
  }
  test::Harness harness;
  const settings::Settings settings = settings::Settings::defaults();  // both pauses "0"
  // The normal transfer never touches the clipboard.
  struct : platform::Clipboard {
    bool setText(std::string_view) override { return false; }
  } noClipboard;
  keyout::KeyOutput out{keyboard, noClipboard, harness.clock, settings, harness.reporter, nullptr};

  std::printf("normal transfer, KeyWeight 0, KeyDwnWeight 0, %zu characters per keymap\n", keyboard.bindingCapacity());
  bool identical = true;
  for (const auto& run : bench::typingTexts()) identical = measure(run, keyboard, out, client) && identical;
  return identical ? 0 : 2;
}
