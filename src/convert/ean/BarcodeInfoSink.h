#pragma once

#include <string_view>

namespace orbelin::convert::ean {

/// Where the decoder puts the field listing of the last decoded record: the monitor
/// window's barcode information box.
class BarcodeInfoSink {
 public:
  virtual ~BarcodeInfoSink() = default;
  /// Replaces the barcode information text.
  virtual void setBarcodeInfo(std::string_view text) = 0;
};

/// A sink for callers without a monitor window: shows nothing.
class NoBarcodeInfo : public BarcodeInfoSink {
 public:
  void setBarcodeInfo(std::string_view) override {}
};

}  // namespace orbelin::convert::ean
