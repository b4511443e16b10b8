#pragma once

#include <functional>

#include "report/FailureReporter.h"
#include "report/ProgramPaths.h"
#include "convert/book/BookCodeConverter.h"
#include "convert/ean/AiTableCache.h"
#include "convert/ean/BarcodeInfoSink.h"
#include "serial/ConversionSteps.h"
#include "settings/Configuration.h"

namespace orbelin::app {

/// The decoders as the record pipeline runs them (the GS1-128 decoding over QELT.PDF,
/// the book code step) and the start-up check of the AI table database; shared by the
/// program and the replay tool.
class EngineSteps {
 public:
  /// monitor receives the barcode information listing; none drops it.
  EngineSteps(settings::Configuration& configuration, const report::ProgramPaths& paths, report::FailureReporter& reporter,
              convert::ean::BarcodeInfoSink* monitor = nullptr);

  serial::ConversionSteps conversionSteps();
  /// Creates QELT.PDF from the built-in table when it is missing or has no table.
  std::function<void()> databaseCheck();

 private:
  class NoMonitor : public convert::ean::BarcodeInfoSink {
   public:
    void setBarcodeInfo(std::string_view) override {}
  };

  /// The book code converter with the settings of the moment, as the pipeline's step.
  class BookCodeStep : public serial::BookStep {
   public:
    explicit BookCodeStep(const settings::Settings& settings) : m_settings(settings) {}
    serial::BookResult convert(std::string_view record, std::int64_t nowMs) override;
    std::vector<std::string> takeExpired(std::int64_t nowMs) override;
    std::optional<std::int64_t> nextExpiry() const override { return m_converter.nextExpiry(m_settings); }
    std::vector<std::string> takeDropNotes() override { return m_converter.takeDropNotes(); }

   private:
    const settings::Settings& m_settings;
    convert::book::BookCodeConverter m_converter;
  };

  settings::Configuration& m_configuration;
  const report::ProgramPaths& m_paths;
  report::FailureReporter& m_reporter;
  NoMonitor m_noMonitor;
  convert::ean::BarcodeInfoSink& m_monitor;
  convert::ean::AiTableCache m_aiTable{m_paths.database()};
  BookCodeStep m_book{m_configuration.settings};
};

}  // namespace orbelin::app
