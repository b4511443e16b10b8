#pragma once

#include <functional>
#include <string>

#include "keyout/KeyOutput.h"
#include "platform/EventLoop.h"
#include "platform/SerialPort.h"
#include "serial/Connection.h"
#include "serial/ConversionSteps.h"
#include "serial/HexDump.h"
#include "serial/Reception.h"
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
  void onPortEvent(platform::PortEvent event);
  /// One run of the pipeline over one received record.
  void EventRecv();
  /// Called each time a record has been read from the port, before it is converted.
  void setRecordReadHook(std::function<void()> hook) { m_recordRead = std::move(hook); }

 private:
  BookResult convertRecord(std::string working);
  /// Steps from the send data on: keystrokes, file, caption and icon.
  void finishRecord(std::string working, bool outputAllowed);
  bool typeRecord(const std::string& working);
  bool writeRecord(const std::string& working);
  void showStatus();
  void fail(const std::exception& failure);
  void scheduleBookRelease();
  void releaseExpiredBookRows();
  void startNextRunIfBytesWait(bool endedAtFooter);

  SerialContext& m_context;
  Connection& m_connection;
  Reception& m_reception;
  HexDump& m_dump;
  ConversionSteps m_steps;
  keyout::KeyOutput& m_keys;
  PassThroughBookStep m_passThrough;
  platform::EventLoop::TimerId m_bookTimer = 0;
  bool m_nextRunPosted = false;
  std::function<void()> m_recordRead;
};

}  // namespace orbelin::serial
