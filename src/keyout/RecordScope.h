#pragma once

#include "keyout/KeyOutput.h"

namespace orbelin::keyout {

/// The typing of one record: tells the keyboard where the record begins and ends, on
/// every way out of a transfer, and logs what the keyboard had to say about it.
class RecordScope {
 public:
  explicit RecordScope(KeyOutput& out) : m_out(out) { m_out.keyboard.beginRecord(); }
  ~RecordScope() {
    m_out.keyboard.endRecord();
    if (const auto notice = m_out.keyboard.takeNotice(); !notice.empty()) m_out.reporter.log(notice);
  }
  RecordScope(const RecordScope&) = delete;
  RecordScope& operator=(const RecordScope&) = delete;

 private:
  KeyOutput& m_out;
};

}  // namespace orbelin::keyout
