#pragma once

#include <optional>
#include <string>

#include "serial/Connection.h"
#include "serial/Framer.h"
#include "serial/HexDump.h"
#include "serial/SerialContext.h"
#include "settings/Settings.h"

namespace orbelin::serial {

/// One record as the port gave it.
struct ReceivedRecord {
  /// Everything received from the header on, decoded; empty when nothing was.
  std::string text;
  /// The decoded text without its framing codes; nothing when the header or footer
  /// that the framing asks for is missing.
  std::optional<std::string> inside;
};

/// Turns the bytes of the open port into records.
class Reception {
 public:
  Reception(SerialContext& context, Connection& connection, HexDump& dump)
      : m_context(context), m_connection(connection), m_dump(dump) {}

  /// Reads one record byte by byte until the footer, or until no byte has come for
  /// Weight milliseconds (letting events run meanwhile: a receive notification raises
  /// the count and the reading goes on). Every byte read goes to COMRECV.LOG, RCV.TXT
  /// (Log "1") and the monitor; bytes before a header that never came are noted there
  /// as dropped. The record as received, or empty for none; failures are reported as
  /// "RSDataRecv" and give the empty record.
  ReceivedRecord RSDataRecv();
  /// Takes the count of bytes waiting from the port.
  void syncPendingByteCount();
  /// Bytes a reading may still take; none once the port it was counted on has closed.
  int pendingByteCount() const;
  /// True when the last RSDataRecv ended at a footer (bytes after it may still wait).
  bool endedAtFooter() const { return m_endedAtFooter; }

 private:
  ReceivedRecord assemble();
  /// Waits up to gapMs for the count to rise again or the port of session to close;
  /// false when the gap passed.
  bool waitForBytes(int gapMs, unsigned session);
  void deliverChunk(const std::string& chunk);

  SerialContext& m_context;
  Connection& m_connection;
  HexDump& m_dump;
  Framer m_framer;
  /// The closings of the port when the count was taken.
  unsigned m_countSession = 0;
  bool m_endedAtFooter = false;
};

}  // namespace orbelin::serial
