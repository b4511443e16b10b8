// orbelin-replay: runs the program's engine on a captured byte stream in virtual time,
// with a simulated port and recording keyboard, clipboard and user interface, and
// prints the transcript of everything it did.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "report/FailureReporter.h"
#include "report/ProgramFolder.h"
#include "report/ProgramPaths.h"
#include "app/startup/Engine.h"
#include "app/startup/Program.h"
#include "app/startup/QtOptions.h"
#include "text/Integers.h"
#include "platform/common/Transcript.h"
#include "platform/posix/SystemClock.h"
#include "platform/sim/RecordingClipboard.h"
#include "platform/sim/RecordingKeyboard.h"
#include "platform/sim/RecordingMainWindow.h"
#include "platform/sim/RecordingMessageBox.h"
#include "platform/sim/RecordingTrayIcon.h"
#include "platform/sim/SimEventLoop.h"
#include "platform/sim/SimSerialPort.h"
#include "platform/sim/SimStartupWaitView.h"
#include "serial/SerialLink.h"
#include "settings/Configuration.h"
#include "tools/RealOutput.h"
#include "tools/ReplayScript.h"

namespace {

constexpr std::int64_t kLongestWaitMs = 3'600'000;

using namespace orbelin;

struct Options {
  std::optional<std::filesystem::path> dir;
  std::optional<platform::LocalTime> now;
  std::set<int> ports = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  bool noFocus = false;
  bool realKeyboard = false;
  std::string keyboardKind;
  std::string script;
  /// Qt's standard options, for the display --keyboard opens.
  std::vector<std::string> qt;
};

void printUsage(std::ostream& out) {
  out << "usage: orbelin-replay [--dir DIR] [--now YYYY-MM-DDTHH:MM:SS] [--ports N,N,...] [--no-focus]\n"
         "                      [--keyboard "
      << tools::kRealKeyboardName << "] [Qt options] SCRIPT|-\n"
      << "       orbelin-replay --help | --version\n"
         "Runs the engine on a scripted byte stream in virtual time and prints what the program would do.\n"
         "Without --dir the program folder is the one orbelin would use.\n"
      << app::kQtOptionsNote;
}

int usage(const std::string& problem) {
  std::cerr << "orbelin-replay: " << problem << "\n";
  printUsage(std::cerr);
  return 2;
}

/// Answers --help and --version, which need no script; nothing otherwise.
std::optional<int> answerQuestion(const std::vector<std::string>& arguments) {
  for (const std::string_view arg : arguments) {
    if (arg == "--help" || arg == "-h") {
      printUsage(std::cout);
      return 0;
    }
    if (arg == "--version") {
      std::cout << "orbelin-replay " ORBELIN_VERSION_TEXT "\n";
      return 0;
    }
  }
  return std::nullopt;
}

std::optional<platform::LocalTime> parseNow(const std::string& text) {
  platform::LocalTime t;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &t.year, &t.month, &t.day, &t.hour, &t.minute,
                  &t.second, &tail) != 6) {
    return std::nullopt;
  }
  if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 || t.second > 59 ||
      t.year < 1 || t.hour < 0 || t.minute < 0 || t.second < 0) {
    return std::nullopt;
  }
  return t;
}

std::optional<std::set<int>> parsePorts(const std::string& text) {
  std::set<int> ports;
  std::stringstream list(text);
  std::string item;
  while (std::getline(list, item, ',')) {
    const auto number = text::parseInteger(item);
    if (!number || *number < 1 || *number > 16 || item.find('.') != std::string::npos) return std::nullopt;
    ports.insert(*number);
  }
  return ports;
}

/// Fills options from the program's own arguments; a message when they are malformed.
std::optional<std::string> parseArguments(const std::vector<std::string>& argv, Options& options) {
  const std::size_t argc = argv.size();
  for (std::size_t i = 0; i < argc; ++i) {
    const std::string& arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--dir" && hasValue) {
      options.dir = argv[++i];
    } else if (arg == "--now" && hasValue) {
      options.now = parseNow(argv[++i]);
      if (!options.now) return "--now needs YYYY-MM-DDTHH:MM:SS";
    } else if (arg == "--ports" && hasValue) {
      const auto ports = parsePorts(argv[++i]);
      if (!ports) return "--ports needs COM numbers from 1 to 16 separated by commas";
      options.ports = *ports;
    } else if (arg == "--no-focus") {
      options.noFocus = true;
    } else if (arg == "--keyboard" && hasValue) {
      const std::string kind = argv[++i];
      if (!tools::isRealKeyboardName(kind)) return std::string("--keyboard knows only ") + tools::kRealKeyboardName;
      options.realKeyboard = true;
      options.keyboardKind = kind;
    } else if ((arg == "-" || !arg.starts_with("-")) && options.script.empty()) {
      options.script = arg;
    } else {
      return "unexpected argument \"" + arg + "\"";
    }
  }
  if (options.script.empty()) return "no script given";
  return std::nullopt;
}

std::optional<std::string> readScript(const std::string& name) {
  std::ostringstream text;
  if (name == "-") {
    text << std::cin.rdbuf();
    return text.str();
  }
  std::ifstream file(name, std::ios::binary);
  if (!file) return std::nullopt;
  text << file.rdbuf();
  return text.str();
}

/// Everything the engine runs on in the replay: virtual time and recorders.
struct Replay {
  Replay(const Options& options, tools::RealOutput* real)
      : clock(options.now ? *options.now : platform::posix::SystemClock().localTime()) {
    transcript.echoTo(&std::cout);
    port.setAvailablePorts(options.ports);
    if (options.noFocus) keyboard.setFocusWindow(std::nullopt);
    // Typing pauses let due events run, as the program's pauses do.
    keyboard.setPause([this](int ms) { loop.pause(ms); });
    if (real != nullptr) {
      teeKeyboard.emplace(real->backend->keyboard(), keyboard, options.noFocus);
      teeClipboard.emplace(real->backend->clipboard(), clipboard);
    }
  }
  platform::Keyboard& typing() { return teeKeyboard ? static_cast<platform::Keyboard&>(*teeKeyboard) : keyboard; }
  platform::Clipboard& pasting() {
    return teeClipboard ? static_cast<platform::Clipboard&>(*teeClipboard) : clipboard;
  }

  platform::Transcript transcript;
  platform::sim::SimClock clock;
  platform::sim::SimEventLoop loop{clock};
  platform::sim::SimSerialPort port{loop, transcript};
  platform::sim::RecordingKeyboard keyboard{transcript, &clock};
  platform::sim::RecordingClipboard clipboard{transcript};
  platform::sim::RecordingMessageBox messages{transcript};
  platform::sim::RecordingMainWindow window{transcript};
  platform::sim::RecordingTrayIcon tray{transcript};
  platform::sim::SimStartupWaitView splash;
  std::optional<tools::TeeKeyboard> teeKeyboard;
  std::optional<tools::TeeClipboard> teeClipboard;
};

void schedule(const tools::ReplayScript& script, Replay& replay, const report::ProgramPaths& paths) {
  std::int64_t at = replay.clock.monotonicMs();
  for (const auto& step : script.steps) {
    if (const auto* arrive = std::get_if<tools::ArriveStep>(&step)) {
      replay.port.arriveAt(at, arrive->bytes);
    } else if (const auto* wait = std::get_if<tools::WaitStep>(&step)) {
      // Virtual time saturates instead of overflowing, and one wait is at most an hour:
      // a longer one shows nothing more, while the program's timers would tick through it.
      at += std::min({wait->ms, kLongestWaitMs, std::numeric_limits<std::int64_t>::max() - at});
    } else if (const auto* touch = std::get_if<tools::TouchStep>(&step)) {
      replay.loop.scheduleAt(at, [file = paths.file(touch->name)] { std::ofstream(file, std::ios::app); });
    } else if (const auto* remove = std::get_if<tools::RemoveStep>(&step)) {
      replay.loop.scheduleAt(at, [file = paths.file(remove->name)] {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
      });
    }
  }
  // The script's last wait passes too, with whatever it triggers.
  replay.loop.scheduleAt(at, [] {});
}

int run(const Options& options, const tools::ReplayScript& script, tools::RealOutput* real) {
  Replay replay(options, real);
  const report::ProgramPaths paths{*options.dir};
  report::FailureReporter reporter(paths.errorLog(), replay.clock, replay.messages);
  settings::Configuration configuration;
  app::Engine engine(app::EngineParts{serial::SerialContext{configuration, paths, replay.clock, replay.loop, replay.port,
                                                             reporter, replay.window, replay.tray},
                                      replay.typing(), replay.pasting()});
  app::ShellServices services{paths, replay.clock, replay.loop, replay.messages, reporter, configuration,
                              replay.window, replay.tray, &replay.splash, nullptr, engine.databaseCheck(), {}};
  // FINISH.TXT ends the replay as it ends the program: at once, whatever was running.
  services.endProgram = [] {
    std::cout.flush();
    std::exit(0);
  };
  app::Program program(std::move(services), engine.link());
  program.Main();
  schedule(script, replay, paths);
  replay.loop.runUntilIdle();
  std::cout.flush();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  tools::useBinaryStandardStreams();
  const auto line = app::splitQtOptions(argc, argv);
  if (const auto answered = answerQuestion(line.own)) return *answered;
  if (!line.missingValue.empty()) return usage(line.missingValue + " needs a value");
  Options options;
  options.qt = line.qt;
  if (const auto problem = parseArguments(line.own, options)) return usage(*problem);
  std::error_code error;
  if (options.dir && !std::filesystem::is_directory(*options.dir, error)) {
    return usage("no folder " + options.dir->string());
  }
  options.dir = report::locateProgramFolder(options.dir).dir;
  const auto text = readScript(options.script);
  if (!text) {
    std::cerr << "orbelin-replay: cannot read " << options.script << "\n";
    return 2;
  }
  const tools::ReplayScript script = tools::parseReplayScript(*text);
  if (script.error) {
    std::cerr << "orbelin-replay: " << options.script << ": " << *script.error << "\n";
    return 2;
  }
  std::optional<tools::RealOutput> real;
  if (options.realKeyboard) {
    std::string reason;
    real = tools::openRealOutput(options.keyboardKind, options.qt, reason);
    if (!real) {
      std::cerr << "orbelin-replay: " << reason << "\n";
      return 2;
    }
  }
  return run(options, script, real ? &*real : nullptr);
}
