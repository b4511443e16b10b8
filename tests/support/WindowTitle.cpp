#include "support/WindowTitle.h"

#include <X11/Xlib.h>

namespace orbelin::test {

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
