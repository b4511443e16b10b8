#include "serial/SerialLink.h"

namespace orbelin::serial {

SerialLink::SerialLink(SerialContext context, ConversionSteps steps, keyout::KeyOutput& keys)
    : m_context(context), m_pipeline(m_context, m_connection, m_reception, m_dump, std::move(steps), keys) {
  m_context.port.setEventHandler([this](platform::PortEvent event) { m_pipeline.onPortEvent(event); });
  m_connection.setOpenListener([this](bool open) {
    if (open) {
      m_deviceControl.portOpened();
    } else {
      m_deviceControl.portClosed();
    }
  });
  m_pipeline.setRecordReadHook([this] { m_deviceControl.recordRead(); });
}

SerialLink::~SerialLink() {
  m_context.port.setEventHandler({});
  m_connection.setOpenListener({});
  m_pipeline.setRecordReadHook({});
}

}  // namespace orbelin::serial
