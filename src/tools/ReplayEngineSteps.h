#pragma once

#include <functional>

#include "app/log/FailureReporter.h"
#include "app/log/ProgramPaths.h"
#include "serial/ConversionSteps.h"
#include "settings/Configuration.h"

namespace orbelin::tools {

/// The conversions of the decoders as the replay runs them, and the start-up check of
/// the AI table database.
class ReplayEngineSteps {
 public:
  ReplayEngineSteps(settings::Configuration& configuration, const app::ProgramPaths& paths,
                    app::FailureReporter& reporter)
      : m_configuration(configuration), m_paths(paths), m_reporter(reporter) {}

  serial::ConversionSteps conversionSteps();
  std::function<void()> databaseCheck();

 private:
  settings::Configuration& m_configuration;
  const app::ProgramPaths& m_paths;
  app::FailureReporter& m_reporter;
};

}  // namespace orbelin::tools
