#include "app/startup/Engine.h"

#include <utility>

namespace orbelin::app {

Engine::Engine(EngineParts parts, std::optional<serial::ConversionSteps> steps)
    : m_steps(parts.serial.configuration, parts.serial.paths, parts.serial.reporter, parts.monitor),
      m_keys{parts.keyboard, parts.clipboard, parts.serial.clock, parts.serial.configuration.settings,
             parts.serial.reporter, parts.mainWindow},
      m_link(parts.serial, steps ? std::move(*steps) : m_steps.conversionSteps(), m_keys) {}

}  // namespace orbelin::app
