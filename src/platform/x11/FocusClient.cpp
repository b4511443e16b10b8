#include "platform/x11/FocusClient.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <algorithm>
#include <atomic>

namespace orbelin::platform::x11 {

namespace {

// A window that vanished while we asked about it is no failure; the default handler would
// end the program.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

// The window from focus upwards whose client answers pings; None when there is none.
Window pingWindow(Display* display, Window focus, Atom ping) {
  const auto previous = XSetErrorHandler(ignoreXError);
  const Window root = DefaultRootWindow(display);
  Window found = None;
  for (Window window = focus; window != None && window != root;) {
    Atom* protocols = nullptr;
    int count = 0;
    if (XGetWMProtocols(display, window, &protocols, &count) != 0) {
      if (std::find(protocols, protocols + count, ping) != protocols + count) found = window;
      XFree(protocols);
    }
    if (found != None) break;
    Window treeRoot = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned childCount = 0;
    if (XQueryTree(display, window, &treeRoot, &parent, &children, &childCount) == 0) break;
    if (children != nullptr) XFree(children);
    window = parent;
  }
  XSync(display, False);
  XSetErrorHandler(previous);
  return found;
}

}  // namespace

bool awaitFocusClient(Display* display, std::chrono::milliseconds timeout,
                      const std::function<void(const XEvent&)>& other) {
  static std::atomic<long> pings{0};
  Window focus = None;
  int revertTo = 0;
  XGetInputFocus(display, &focus, &revertTo);
  if (focus == None || focus == PointerRoot) return false;
  const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
  const Atom ping = XInternAtom(display, "_NET_WM_PING", False);
  const Window target = pingWindow(display, focus, ping);
  if (target == None) return false;
  // The client answers to the root window; toolkits differ in the mask they answer with.
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, StructureNotifyMask | SubstructureNotifyMask);
  const long token = ++pings;
  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = target;
  request.xclient.message_type = protocols;
  request.xclient.format = 32;
  request.xclient.data.l[0] = static_cast<long>(ping);
  request.xclient.data.l[1] = token;
  request.xclient.data.l[2] = static_cast<long>(target);
  XSendEvent(display, target, False, NoEventMask, &request);
  XFlush(display);
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  bool answered = false;
  while (!answered) {
    while (!answered && XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      answered = event.type == ClientMessage && event.xclient.message_type == protocols &&
                 event.xclient.data.l[0] == static_cast<long>(ping) && event.xclient.data.l[1] == token;
      if (!answered && other) other(event);
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (answered || left.count() <= 0) break;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(left.count()) + 1);
  }
  XSelectInput(display, root, NoEventMask);
  return answered;
}

}  // namespace orbelin::platform::x11
