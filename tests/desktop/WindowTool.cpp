// orbelin-test-windows: what the start-up tests need of the X display from a shell.
//   wait TITLE SECONDS   ends 0 once a mapped window with that title exists, 1 after SECONDS
//   close TITLE          asks every window with that title to close, as its close button does
//   list                 prints the titles of the mapped windows
// A message box with a single button takes the close request as a press of that button.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "support/WindowTitle.h"

namespace {

struct Display_ {
  Display* x = XOpenDisplay(nullptr);
  ~Display_() {
    if (x != nullptr) XCloseDisplay(x);
  }
};

int usage() {
  std::fprintf(stderr, "usage: orbelin-test-windows wait TITLE SECONDS | close TITLE | list\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  Display_ display;
  if (display.x == nullptr) {
    std::fprintf(stderr, "orbelin-test-windows: no display\n");
    return 2;
  }
  const std::string command = argv[1];
  if (command == "list" && argc == 2) {
    for (const auto& [window, title] : orbelin::test::titledWindows(display.x)) std::printf("0x%lx %s\n", window, title.c_str());
    return 0;
  }
  if (command == "wait" && argc == 4) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[3]));
    while (std::chrono::steady_clock::now() < end) {
      for (const auto& [window, title] : orbelin::test::titledWindows(display.x)) {
        if (title == argv[2]) return 0;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return 1;
  }
  if (command == "close" && argc == 3) return orbelin::test::closeWindowsTitled(argv[2]) > 0 ? 0 : 1;
  return usage();
}
