#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/Settings.h"

namespace orbelin::serial {

/// How records are cut from the byte stream, from the RCV settings of the moment.
struct Framing {
  bool on = false;
  /// The header code; none when a record starts with its first byte.
  std::optional<std::uint8_t> header;
  /// The footer code (none, one byte or CR LF).
  std::string footer;
};

/// The framing of settings: Select, RCV Head/HeadOther and Foot/FootOther. A code that
/// is no number or outside 0-255 throws report::RuntimeFailure.
Framing framingOf(const settings::Settings& settings);

/// The one place where a record's framing is found and taken off, byte by byte as the
/// bytes are read, and where the count of bytes the port holds for the reading is kept.
/// It does no reading itself: the bytes and the count are handed to it.
class Framer {
 public:
  /// Starts a record with the framing of the moment; the last record is forgotten.
  void start(Framing framing);
  /// Takes the next byte read. Bytes before the header are dropped; true once the byte
  /// completed the footer, which ends the record.
  bool push(char byte);
  /// The record's bytes as received, from the header on (nothing when the header never came).
  const std::string& received() const { return m_record; }
  /// The record without its framing codes; nothing when the header or the footer that
  /// the framing asks for did not come.
  std::optional<std::string> inside() const;

  /// The record inside the framing of a whole byte string, as when it is read in one go:
  /// bytes before the header and from the end of the footer on are not part of it.
  static std::optional<std::string> frame(std::string_view bytes, const Framing& framing);

  /// Sets the count of bytes the port holds (never below zero).
  void setWaiting(int count) { m_waiting = count > 0 ? count : 0; }
  /// Bytes the port holds that the reading may still take.
  int waiting() const { return m_waiting; }
  /// Takes one byte off the count; false when none is left.
  bool takeWaiting();

 private:
  Framing m_framing;
  std::string m_record;
  bool m_headerSeen = false;
  bool m_footerSeen = false;
  int m_waiting = 0;
};

}  // namespace orbelin::serial
