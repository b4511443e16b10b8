// orbelin-convert: runs the record road of a program folder's settings (framing, GS1 from
// every carrier and Digital Link, case and width, book codes, byte edit, substitution,
// braces) over lines read from standard input and prints the key string the program
// would type for each.
// A first run in a folder without QELT.INI writes one with the defaults, as the program does.
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "app/startup/EngineSteps.h"
#include "app/startup/QtOptions.h"
#include "report/FailureReporter.h"
#include "report/ProgramFolder.h"
#include "report/ProgramPaths.h"
#include "codec/Cp932.h"
#include "platform/common/Transcript.h"
#include "platform/posix/SystemClock.h"
#include "serial/Framer.h"
#include "serial/RecordConverter.h"
#include "settings/Configuration.h"
#include "settings/EditTableStore.h"
#include "settings/SettingsStore.h"

namespace {

using namespace orbelin;

/// Message boxes become lines on standard error.
class ConsoleMessageBox : public platform::MessageBox {
 public:
  void show(platform::MessageIcon icon, std::string_view title, std::string_view text) override {
    std::cerr << platform::iconName(icon) << ' ' << platform::quoteForTranscript(title) << ' '
              << platform::quoteForTranscript(text) << '\n';
  }
};

constexpr const char* kUsage =
    "usage: orbelin-convert [--dir DIR] [Qt options]\n"
    "       orbelin-convert --help | --version\n"
    "Reads one record per line from standard input and prints the key string the program\n"
    "would type for it (nothing for a record that types nothing).\n"
    "Without --dir the program folder is the one orbelin would use.\n";

void printUsage(std::ostream& out) {
  // It opens no window: Qt's options are accepted, for a command line shared with the
  // other programs, and have nothing to act on.
  out << kUsage << app::kQtOptionsNote;
}

/// The record inside its framing codes, as the program's reception would pass it on;
/// nothing (with the reason on standard error) when it would be dropped.
std::optional<std::string> frameLine(const std::string& line, const settings::Settings& settings,
                                     report::FailureReporter& reporter) {
  try {
    if (auto inside = serial::Framer::frame(codec::toCp932(line), serial::framingOf(settings))) {
      return codec::fromCp932(*inside);
    }
    std::cerr << "[破棄] ヘッダーまたはフッターがありません: " << line << '\n';
  } catch (const std::exception& failure) {
    reporter.report("RSDataRecv", failure);
  }
  return std::nullopt;
}

int usage(const std::string& problem) {
  std::cerr << "orbelin-convert: " << problem << "\n";
  printUsage(std::cerr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const auto commandLine = app::splitQtOptions(argc, argv);
  if (!commandLine.missingValue.empty()) return usage(commandLine.missingValue + " needs a value");
  std::optional<std::filesystem::path> given;
  for (std::size_t i = 0; i < commandLine.own.size(); ++i) {
    const std::string& argument = commandLine.own[i];
    if (argument == "--dir" && i + 1 < commandLine.own.size()) {
      given = std::filesystem::path(commandLine.own[++i]);
    } else if (argument == "--help" || argument == "-h") {
      printUsage(std::cout);
      return 0;
    } else if (argument == "--version") {
      std::cout << "orbelin-convert " ORBELIN_VERSION_TEXT "\n";
      return 0;
    } else {
      return usage("unexpected argument \"" + argument + "\"");
    }
  }
  std::error_code error;
  if (given && !std::filesystem::is_directory(*given, error)) return usage("no folder " + given->string());
  const report::ProgramPaths paths{report::locateProgramFolder(given).dir};
  platform::posix::SystemClock clock;
  ConsoleMessageBox messages;
  report::FailureReporter reporter(paths.errorLog(), clock, messages);
  settings::Configuration configuration;
  settings::InitDefaults(configuration);
  settings::LoadEditTables(configuration.tables, paths.ini(), reporter);
  settings::LoadSettings(configuration, paths.ini());
  if (!std::filesystem::exists(paths.ini())) {
    settings::PutEdy(configuration.tables, paths.ini(), reporter);
    settings::PutPGPra(configuration.settings, paths.ini(), reporter);
  }
  const settings::Settings& s = configuration.settings;
  app::EngineSteps steps(configuration, paths, reporter);
  steps.databaseCheck()();
  serial::RecordConverter converter(configuration, reporter, steps.conversionSteps(),
                                    [](const std::string& why) { std::cerr << why << '\n'; });
  const auto print = [&s](const std::string& data) {
    // The program types nothing, not even KeyHead and KeyFoot, for empty send data.
    if (!data.empty()) std::cout << s.get(settings::Setting::KeyHead) << data << s.get(settings::Setting::KeyFoot) << std::endl;
  };
  std::cerr << "Orbelin: settings from " << paths.ini().string() << "; one record per line.\n";
  // The lines come as scans one right after the other: the clock stands still, and a book
  // row still withheld at the end is let go as its wait running out would.
  for (std::string line; std::getline(std::cin, line);) {
    const std::optional<std::string> inside = frameLine(line, s, reporter);
    if (!inside) continue;
    const std::optional<serial::BookResult> converted = converter.convert(*inside, 0);
    if (!converted) continue;
    if (converted->released) print(*converted->released);
    print(converted->record);
  }
  if (const auto expiry = converter.nextExpiry()) {
    for (const std::string& row : converter.takeExpired(*expiry)) print(row);
  }
  return 0;
}
