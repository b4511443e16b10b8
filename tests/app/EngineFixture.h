#pragma once

#include "serial/SerialFixture.h"

namespace orbelin::test {

/// The serial link with the real decoders, as the program and the replay tool run them,
/// writing every record to out.txt in the program folder.
struct EngineFixture : SerialFixture {
  EngineFixture() : SerialFixture(std::nullopt) {
    engine.databaseCheck()();
    set(settings::Setting::EANRead, "0");
    set(settings::Setting::SendKey, "0");
    set(settings::Setting::File, "1");
    set(settings::Setting::FilePath, "out.txt");
  }
  /// Book rows joined into ISBN text, a lone row waiting 1500 ms.
  void books() {
    set(settings::Setting::BookJAN, "1");
    set(settings::Setting::JAN2toISBN, "3");
    set(settings::Setting::SPCWeight, "1500");
  }
};

}  // namespace orbelin::test
