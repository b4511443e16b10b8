#pragma once

#include <functional>
#include <optional>

#include "app/startup/EngineSteps.h"
#include "convert/ean/BarcodeInfoSink.h"
#include "keyout/KeyOutput.h"
#include "platform/Keyboard.h"
#include "platform/WindowActivation.h"
#include "serial/ConversionSteps.h"
#include "serial/SerialContext.h"
#include "serial/SerialLink.h"

namespace orbelin::app {

/// What an engine runs on: the program's own parts, or the simulated ones of the replay
/// tool and the tests.
struct EngineParts {
  serial::SerialContext serial;
  platform::Keyboard& keyboard;
  platform::Clipboard& clipboard;
  /// The main window a failing normal-mode transfer brings back; none in the tools.
  platform::WindowActivation* mainWindow = nullptr;
  /// Receives the barcode information listing; none drops it.
  convert::ean::BarcodeInfoSink* monitor = nullptr;
};

/// The engine, assembled in this one place for the desktop program, the replay tool and
/// the tests: the decoders, the key output and the serial link with its record pipeline.
class Engine {
 public:
  /// With the real decoders, or with steps in their place (the tests' fakes; their
  /// owner outlives the engine).
  explicit Engine(EngineParts parts, std::optional<serial::ConversionSteps> steps = std::nullopt);
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  serial::SerialLink& link() { return m_link; }
  keyout::KeyOutput& keys() { return m_keys; }
  /// The start-up check of the AI table database (QELT.PDF).
  std::function<void()> databaseCheck() { return m_steps.databaseCheck(); }

 private:
  EngineSteps m_steps;
  keyout::KeyOutput m_keys;
  serial::SerialLink m_link;
};

}  // namespace orbelin::app
