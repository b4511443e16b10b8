// orbelin-convert: runs the record conversions of a program folder's settings over lines
// read from standard input and prints the key string that would be typed for each.
// A first run in a folder without QELT.INI writes one with the defaults, as the program does.
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "app/startup/QtOptions.h"
#include "report/FailureReporter.h"
#include "report/ProgramFolder.h"
#include "report/ProgramPaths.h"
#include "convert/CaseWidth.h"
#include "convert/MakeSendData.h"
#include "platform/Transcript.h"
#include "platform/posix/SystemClock.h"
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
    "Reads one record per line from standard input and prints the key string for it.\n"
    "Without --dir the program folder is the one orbelin would use.\n";

void printUsage(std::ostream& out) {
  // It opens no window: Qt's options are accepted, for a command line shared with the
  // other programs, and have nothing to act on.
  out << kUsage << app::kQtOptionsNote;
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
  std::cerr << "Orbelin: settings from " << paths.ini().string() << "; one record per line.\n";
  for (std::string line; std::getline(std::cin, line);) {
    std::string data = convert::ConvertCaseWidth(line, s.get(settings::Setting::ConvMode));
    data = convert::MakeSendData(data, s, configuration.tables, reporter);
    data = convert::EscapeKeyBraces(data, s);
    std::cout << s.get(settings::Setting::KeyHead) << data << s.get(settings::Setting::KeyFoot) << std::endl;
  }
  return 0;
}
