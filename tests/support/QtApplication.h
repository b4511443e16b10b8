#pragma once

#include <string>

namespace orbelin::test {

/// The one Qt application object of a test program (QCoreApplication, QGuiApplication),
/// made on first use and kept for the whole program: the clipboard, the event loop and
/// the serial ports need one, and Qt allows only one.
template <typename App>
App& application(const char* name) {
  static std::string program = name;
  static int argc = 1;
  static char* argv[] = {program.data(), nullptr};
  static App app(argc, argv);
  return app;
}

}  // namespace orbelin::test
