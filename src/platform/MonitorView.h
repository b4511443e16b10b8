#pragma once

#include <string_view>

namespace orbelin::platform {

/// The monitor window's two dump views, as reception fills them.
class MonitorView {
 public:
  virtual ~MonitorView() = default;
  /// The whole hexadecimal view and the whole text view after a chunk was added.
  virtual void showDump(std::string_view hexText, std::string_view sendText) = 0;
};

}  // namespace orbelin::platform
