#include "app/startup/EngineSteps.h"

#include "convert/ean/BuiltInAiTable.h"
#include "convert/ean/EANRead.h"

namespace orbelin::app {

EngineSteps::EngineSteps(settings::Configuration& configuration, const report::ProgramPaths& paths,
                         report::FailureReporter& reporter, convert::ean::BarcodeInfoSink* monitor)
    : m_configuration(configuration),
      m_paths(paths),
      m_reporter(reporter),
      m_monitor(monitor != nullptr ? *monitor : m_noMonitor) {}

serial::ConversionSteps EngineSteps::conversionSteps() {
  serial::ConversionSteps steps;
  steps.eanRead = [this](std::string_view record, std::string& discarded, std::vector<std::string>& checkNotes) {
    return convert::ean::EANRead(record, m_configuration.settings, m_aiTable, m_reporter, m_monitor, &discarded,
                                 &checkNotes);
  };
  steps.book = &m_book;
  return steps;
}

serial::BookResult EngineSteps::BookCodeStep::convert(std::string_view record, std::int64_t nowMs) {
  convert::book::BookRecords converted = m_converter.convert(record, m_settings, nowMs);
  return {std::move(converted.released), std::move(converted.record)};
}

std::vector<std::string> EngineSteps::BookCodeStep::takeExpired(std::int64_t nowMs) {
  auto row = m_converter.takeExpired(nowMs, m_settings);
  if (!row) return {};
  return {std::move(*row)};
}

std::function<void()> EngineSteps::databaseCheck() {
  // An unreadable file is left alone: EANRead reports it for each record that needs it.
  return [this] { convert::ean::ensureAiDatabase(m_paths.database()); };
}

}  // namespace orbelin::app
