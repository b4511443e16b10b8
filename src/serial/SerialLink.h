#pragma once

#include "keyout/KeyOutput.h"
#include "serial/Connection.h"
#include "serial/ConversionSteps.h"
#include "serial/DeviceControl.h"
#include "serial/HexDump.h"
#include "serial/Reception.h"
#include "serial/RecordPipeline.h"
#include "serial/SerialContext.h"

namespace orbelin::serial {

/// The whole serial link of one program run: connection, reception, the monitor's dump
/// and the record pipeline, with the port's notifications wired to the pipeline.
class SerialLink {
 public:
  SerialLink(SerialContext context, ConversionSteps steps, keyout::KeyOutput& keys);
  ~SerialLink();
  SerialLink(const SerialLink&) = delete;
  SerialLink& operator=(const SerialLink&) = delete;

  Connection& connection() { return m_connection; }
  HexDump& dump() { return m_dump; }
  RecordPipeline& pipeline() { return m_pipeline; }
  SerialContext& context() { return m_context; }

 private:
  SerialContext m_context;
  Connection m_connection{m_context};
  HexDump m_dump;
  Reception m_reception{m_context, m_connection, m_dump};
  RecordPipeline m_pipeline;
  DeviceControl m_deviceControl{m_context, m_connection};
};

}  // namespace orbelin::serial
