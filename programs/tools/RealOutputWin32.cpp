#include "tools/RealOutput.h"

#include <fcntl.h>
#include <io.h>

#include <QGuiApplication>
#include <cstdio>


namespace orbelin::tools {

const char* const kRealKeyboardName = "win32";

void useBinaryStandardStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

bool isRealKeyboardName(std::string_view kind) { return kind == kRealKeyboardName; }

std::optional<RealOutput> openRealOutput(std::string_view kind, const std::vector<std::string>& qtOptions,
                                         std::string& reason) {
  (void)kind;
  (void)reason;
  RealOutput output;
  output.commandLine = std::make_unique<QtCommandLine>("orbelin-replay", qtOptions);
  output.application = std::make_shared<QGuiApplication>(output.commandLine->argc, output.commandLine->argv.data());
  // The program's one choice for Windows: the Win32 keyboard and Qt's clipboard.
  output.backend = std::make_unique<app::KeyOutputBackend>();
  return output;
}

}  // namespace orbelin::tools
