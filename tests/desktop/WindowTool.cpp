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

// A window can be destroyed while the tree is walked (a box closing, a client ending);
// Xlib's default handler would end the tool on the BadWindow that follows.
int ignoreVanishedWindow(Display*, XErrorEvent*) { return 0; }

struct Display_ {
  Display* x = XOpenDisplay(nullptr);
  ~Display_() {
    if (x != nullptr) XCloseDisplay(x);
  }
};

void collect(Display* x, Window window, std::vector<std::pair<Window, std::string>>& found) {
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(x, window, &attributes) != 0 && attributes.map_state == IsViewable) {
    const std::string title = orbelin::test::windowTitle(x, window);
    if (!title.empty()) found.emplace_back(window, title);
  }
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(x, window, &root, &parent, &children, &count) == 0) return;
  for (unsigned int i = 0; i < count; ++i) collect(x, children[i], found);
  if (children != nullptr) XFree(children);
}

std::vector<std::pair<Window, std::string>> windows(Display* x) {
  std::vector<std::pair<Window, std::string>> found;
  collect(x, DefaultRootWindow(x), found);
  return found;
}

void askToClose(Display* x, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(x, window, False, NoEventMask, &event);
  XFlush(x);
}

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
  XSetErrorHandler(ignoreVanishedWindow);
  const std::string command = argv[1];
  if (command == "list" && argc == 2) {
    for (const auto& [window, title] : windows(display.x)) std::printf("0x%lx %s\n", window, title.c_str());
    return 0;
  }
  if (command == "wait" && argc == 4) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[3]));
    while (std::chrono::steady_clock::now() < end) {
      for (const auto& [window, title] : windows(display.x)) {
        if (title == argv[2]) return 0;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return 1;
  }
  if (command == "close" && argc == 3) {
    int closed = 0;
    for (const auto& [window, title] : windows(display.x)) {
      if (title == argv[2]) {
        askToClose(display.x, window);
        ++closed;
      }
    }
    return closed > 0 ? 0 : 1;
  }
  return usage();
}
