#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>

#include "settings/Settings.h"
#include "support/Harness.h"

namespace orbelin::fuzz {

/// One program folder for the whole run: a folder per input would cost more than the
/// input itself.
inline test::Harness& harness() {
  static test::Harness* shared = new test::Harness;
  return *shared;
}

/// Stops the run with a message when a property does not hold; libFuzzer keeps the input.
inline void require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

/// Sets setting to one of the given values, chosen by the input.
inline void pick(FuzzedDataProvider& input, settings::Settings& settings, settings::Setting setting,
                 std::initializer_list<const char*> values) {
  const auto index = input.ConsumeIntegralInRange<std::size_t>(0, values.size() - 1);
  settings.set(setting, *(values.begin() + index));
}

/// A setting and the values the input chooses from.
struct Choice {
  settings::Setting setting;
  std::initializer_list<const char*> values;
};

/// The default settings with each choice set to one of its values, chosen by the input
/// in the order given.
inline settings::Settings pickedSettings(FuzzedDataProvider& input, std::initializer_list<Choice> choices) {
  settings::Settings settings = settings::Settings::defaults();
  for (const auto& choice : choices) pick(input, settings, choice.setting, choice.values);
  return settings;
}

/// What a target of the conversions starts from: the input, the run's harness and the
/// settings picked from the input's first bytes; the rest of the input is the record.
struct SettingsCase {
  SettingsCase(const std::uint8_t* data, std::size_t size, std::initializer_list<Choice> choices)
      : input(data, size), settings(pickedSettings(input, choices)) {}

  FuzzedDataProvider input;
  test::Harness& h = harness();
  settings::Settings settings;
};

}  // namespace orbelin::fuzz
