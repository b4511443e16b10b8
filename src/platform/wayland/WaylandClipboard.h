#pragma once

#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <thread>

#include "platform/Keyboard.h"

namespace orbelin::platform::wayland {

struct ClipboardConnection;

/// The clipboard of a Wayland session through the wlr data-control protocol, which lets
/// a program without a window or the keyboard focus own the clipboard (Qt's clipboard
/// cannot there). A text set stays offered until another owner replaces it; an internal
/// thread hands it to the programs that paste it, so transfer pauses need not.
class WaylandClipboard final : public Clipboard {
 public:
  /// The clipboard, or nothing and why not.
  struct Opened {
    std::unique_ptr<WaylandClipboard> clipboard;
    std::string reason;
  };
  /// Connects to displayName (nullptr: the WAYLAND_DISPLAY variable). Fails without a
  /// Wayland display or without the data-control protocol.
  static Opened open(const char* displayName = nullptr);

  ~WaylandClipboard() override;
  WaylandClipboard(const WaylandClipboard&) = delete;
  WaylandClipboard& operator=(const WaylandClipboard&) = delete;

  /// Offers text (UTF-8) as the clipboard's plain text; returns once the compositor has
  /// made it the selection. A text set before and not yet asked for by anyone is first
  /// given a moment to be pasted. False when the compositor cannot be reached.
  bool setText(std::string_view text) override;

 private:
  explicit WaylandClipboard(std::unique_ptr<ClipboardConnection> connection);
  void serve(std::stop_token stop);

  std::unique_ptr<ClipboardConnection> m_connection;
  std::mutex m_mutex;
  std::jthread m_server;
};

}  // namespace orbelin::platform::wayland
