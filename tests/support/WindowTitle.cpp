#include "support/WindowTitle.h"

#include <X11/Xlib.h>

namespace orbelin::test {

namespace {

int ignoreVanishedWindow(Display*, XErrorEvent*) { return 0; }

void collect(Display* x, Window window, std::vector<std::pair<unsigned long, std::string>>& found) {
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(x, window, &attributes) != 0 && attributes.map_state == IsViewable) {
    std::string title = windowTitle(x, window);
    if (!title.empty()) found.emplace_back(window, std::move(title));
  }
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(x, window, &root, &parent, &children, &count) == 0) return;
  for (unsigned int i = 0; i < count; ++i) collect(x, children[i], found);
  if (children != nullptr) XFree(children);
}

}  // namespace

std::string windowTitle(Display* x, unsigned long window) {
  const Atom netName = XInternAtom(x, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(x, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(x, window, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) == Success &&
      data != nullptr) {
    title.assign(reinterpret_cast<char*>(data), count);
    XFree(data);
  }
  return title;
}

std::vector<std::pair<unsigned long, std::string>> titledWindows(Display* x) {
  std::vector<std::pair<unsigned long, std::string>> found;
  XSync(x, False);
  const auto previous = XSetErrorHandler(ignoreVanishedWindow);
  collect(x, DefaultRootWindow(x), found);
  XSync(x, False);
  XSetErrorHandler(previous);
  return found;
}

void askToClose(Display* x, unsigned long window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const auto previous = XSetErrorHandler(ignoreVanishedWindow);
  XSendEvent(x, window, False, NoEventMask, &event);
  XSync(x, False);
  XSetErrorHandler(previous);
}

std::size_t closeWindowsTitled(const std::string& title) {
  Display* x = XOpenDisplay(nullptr);
  if (x == nullptr) return 0;
  std::size_t closed = 0;
  for (const auto& [window, name] : titledWindows(x)) {
    if (name != title) continue;
    askToClose(x, window);
    ++closed;
  }
  XCloseDisplay(x);
  return closed;
}

std::optional<std::string> mainWindowCaption() {
  Display* x = XOpenDisplay(nullptr);
  if (x == nullptr) return std::nullopt;
  std::optional<std::string> caption;
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  // Top-level windows only: the main window is one, mapped or hidden in the tray.
  if (XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &count) != 0) {
    for (unsigned int i = 0; i < count && !caption; ++i) {
      const std::string title = windowTitle(x, children[i]);
      if (title.starts_with("接続中") || title.starts_with("未接続")) caption = title;
    }
    if (children != nullptr) XFree(children);
  }
  XCloseDisplay(x);
  return caption;
}

}  // namespace orbelin::test
