#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "serial/Connection.h"
#include "serial/HexDump.h"
#include "serial/SerialContext.h"
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
/// is no number or outside 0-255 throws text::RuntimeFailure.
Framing framingOf(const settings::Settings& settings);

/// Turns the bytes of the open port into records.
class Reception {
 public:
  Reception(SerialContext& context, Connection& connection, HexDump& dump)
      : m_context(context), m_connection(connection), m_dump(dump) {}

  /// Reads one record byte by byte until the footer, or until no byte has come for
  /// Weight milliseconds (letting events run meanwhile: a receive notification raises
  /// the count and the reading goes on). Every byte read goes to COMRECV.LOG, RCV.TXT
  /// (Log "1") and the monitor; bytes before a header that never came are noted there
  /// as dropped. The record's text, or empty for none; failures are reported as
  /// "RSDataRecv" and give the empty record.
  std::string RSDataRecv();
  /// True when the last RSDataRecv ended at a footer (bytes after it may still wait).
  bool endedAtFooter() const { return m_endedAtFooter; }

 private:
  std::string assemble();
  /// Waits up to gapMs for the count to rise again or the port of session to close;
  /// false when the gap passed.
  bool waitForBytes(int gapMs, unsigned session);
  void deliverChunk(const std::string& chunk);

  SerialContext& m_context;
  Connection& m_connection;
  HexDump& m_dump;
  bool m_endedAtFooter = false;
};

}  // namespace orbelin::serial
