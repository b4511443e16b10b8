// orbelin-replay --keyboard x11 typing the typing benchmark's texts into the text box
// client, beside the same texts typed by the program's own transfer: characters per
// second for both, so the replay tool can be seen to type as fast as the program. Needs
// an X display of its own: run it through with-xvfb.sh, with orbelin-replay's path.
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/x11/X11Keyboard.h"
#include "settings/Settings.h"
#include "support/Harness.h"
#include "support/TempDir.h"
#include "support/TextBox.h"
#include "support/TypingRun.h"
#include "support/TypingTexts.h"

using namespace orbelin;

namespace {

std::string scriptOf(const std::string& text) {
  std::string script = "text \"";
  for (const char c : text) {
    if (c == '"' || c == '\\') script += '\\';
    script += c;
  }
  return script + "\"\n";
}

double replaySeconds(const char* replay, const std::string& text, test::TempDir& dir) {
  test::writeFile(dir / "script.txt", scriptOf(text));
  const std::string command = std::string("'") + replay + "' --keyboard x11 --dir '" + dir.path().string() + "' '" +
                              (dir / "script.txt").string() + "' >/dev/null";
  const auto start = std::chrono::steady_clock::now();
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "orbelin-replay failed\n");
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

/// The program's own transfer typing text into the emptied box, and what the box holds
/// then. Its keyboard is gone before orbelin-replay's opens: two keyboards binding the
/// display's spare keycodes at once would type each other's characters.
std::optional<std::string> typeAndRead(const std::string& text, test::TextBox& client, test::Harness& harness,
                                       double& seconds) {
  auto opened = platform::x11::X11Keyboard::open();
  if (!opened.keyboard) {
    std::fprintf(stderr, "no keyboard: %s\n", opened.reason.c_str());
    return std::nullopt;
  }
  const settings::Settings settings = settings::Settings::defaults();
  bench::NoClipboard noClipboard;
  keyout::KeyOutput out{*opened.keyboard, noClipboard, harness.clock, settings, harness.reporter, nullptr};
  const bench::TimedRun run = bench::typeTimed(text, out, *opened.keyboard, client);
  seconds = run.seconds;
  keyout::KeySendData("{C+A}{DELETE}", true, out);
  return run.received;
}

/// What the box holds, read through a keyboard of its own.
std::optional<std::string> boxText(test::TextBox& client) {
  auto opened = platform::x11::X11Keyboard::open();
  if (!opened.keyboard) return std::nullopt;
  return client.text(*opened.keyboard);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PATH-OF-orbelin-replay\n", argv[0]);
    return 2;
  }
  test::TextBox client(test::TextBox::Focus::Give);
  if (!client.ready()) {
    std::fprintf(stderr, "%s\n", client.problem().c_str());
    return 1;
  }
  test::Harness harness;
  // The replay's folder gets the defaults: the normal transfer, both pauses at 0, no key foot.
  bool identical = true;
  for (const auto& run : bench::typingTexts()) {
    const double count = static_cast<double>(bench::characters(run.text).size());
    double program = 0;
    const auto programText = typeAndRead(run.text, client, harness, program);
    const double replay = replaySeconds(argv[1], run.text, harness.dir);
    const auto replayText = boxText(client);
    const bool same = programText == run.text && replayText == run.text;
    identical = identical && same;
    if (!same) {
      const auto expected = bench::characters(run.text);
      for (const auto& got : {programText, replayText}) {
        const auto chars = got ? bench::characters(*got) : std::vector<std::string>{};
        std::fprintf(stderr, "got %zu characters, lost %zu\n", chars.size(), bench::lostCharacters(expected, chars));
      }
    }
    std::printf("%s: %.0f characters; program %.1f characters per second, orbelin-replay %.1f (with its start-up), "
                "identical %s\n",
                run.name, count, count / program, count / replay, same ? "yes" : "no");
  }
  return identical ? 0 : 2;
}
