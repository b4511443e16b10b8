#pragma once

#include <functional>
#include <optional>
#include <string>

#include "keyout/KeyOutput.h"
#include "platform/EventLoop.h"
#include "platform/SerialPort.h"
#include "serial/Connection.h"
#include "serial/ConversionSteps.h"
#include "serial/HexDump.h"
#include "serial/Reception.h"
#include "serial/RecordConverter.h"
#include "serial/SerialContext.h"

namespace orbelin::serial {

/// The handler's pause before counting, so a reader's burst arrives whole.
inline constexpr int kReceivePauseMs = 100;

/// The record pipeline: one run per receive notification, from reception through the
/// conversions to the keystrokes, the output file and the status shown.
class RecordPipeline {
 public:
  RecordPipeline(SerialContext& context, Connection& connection, Reception& reception, HexDump& dump,
                 ConversionSteps steps, keyout::KeyOutput& keys);
  ~RecordPipeline();
  RecordPipeline(const RecordPipeline&) = delete;
  RecordPipeline& operator=(const RecordPipeline&) = delete;

  /// The port's notification handler: for received bytes, pause, count what the port
  /// holds and run the pipeline; a lost device closes the port and reports it once.
  /// One record at a time: bytes announced while a record is being read join it (up to
  /// its footer); a notification that comes while a record is converted or typed (the
  /// typing pauses let events run) is remembered, and the next run starts right after.
  void onPortEvent(platform::PortEvent event);
  /// One run of the pipeline over one received record; while a run is going on, it only
  /// asks for the next run.
  void EventRecv();
  /// Called each time a record has been read from the port, before it is converted.
  void setRecordReadHook(std::function<void()> hook) { m_recordRead = std::move(hook); }

 private:
  /// The send data of a record as received; nothing when it failed.
  std::optional<BookResult> convertRecord(const ReceivedRecord& received);
  /// One line in COMRECV.LOG for received data that is not passed on.
  void noteDropped(const std::string& why);
  /// Steps from the send data on: keystrokes, file, caption and icon.
  void finishRecord(std::string working, bool outputAllowed);
  bool typeRecord(const std::string& working);
  bool writeRecord(const std::string& working);
  void showStatus();
  void fail(const std::exception& failure);
  void scheduleBookRelease();
  void releaseExpiredBookRows();
  /// Pause, count what the port holds and run, as for a notification.
  void receive();
  /// Posts the run (or the book row release) that waited for the one just ended.
  void postNextRun(bool endedAtFooter);

  SerialContext& m_context;
  Connection& m_connection;
  Reception& m_reception;
  HexDump& m_dump;
  RecordConverter m_converter;
  keyout::KeyOutput& m_keys;
  platform::EventLoop::TimerId m_bookTimer = 0;
  /// A run (or a book row release) is going on; m_reading while it reads its record.
  bool m_running = false;
  bool m_reading = false;
  /// What waits for the run that is going on: a notification, bytes after a footer, a
  /// withheld row whose wait ran out.
  bool m_notified = false;
  bool m_bytesLeft = false;
  bool m_releaseDue = false;
  bool m_nextRunPosted = false;
  std::function<void()> m_recordRead;
};

}  // namespace orbelin::serial
