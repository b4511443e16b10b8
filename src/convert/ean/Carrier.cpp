#include "convert/ean/Carrier.h"

#include <array>

namespace orbelin::convert::ean {

namespace {

using enum CarrierContent;

constexpr std::array kCarriers{
    Carrier{"]C1", ElementString},  // GS1-128
    Carrier{"]e0", ElementString},  // GS1 DataBar, and every GS1 composite
    Carrier{"]d2", ElementString},  // GS1 DataMatrix
    Carrier{"]Q3", ElementString},  // GS1 QR Code
    Carrier{"]J1", ElementString},  // GS1 DotCode
    Carrier{"]E0", Digits},         // EAN-13 (JAN), UPC-A, UPC-E
    Carrier{"]E3", Digits},         // EAN-13 or UPC with its add-on
    Carrier{"]E4", Digits},         // EAN-8
    Carrier{"]I1", Digits},         // ITF with its check digit: ITF-14
    Carrier{"]Q1", Text},           // QR Code
    Carrier{"]d1", Text},           // Data Matrix
};

}  // namespace

Carrier carrierOf(std::string_view record) {
  for (const Carrier& carrier : kCarriers) {
    if (record.starts_with(carrier.identifier)) return carrier;
  }
  return {};
}

}  // namespace orbelin::convert::ean
