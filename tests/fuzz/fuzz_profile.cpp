// QELT.INI as a user may have edited it: the settings and both edit tables load from any
// file, and what a save writes loads back to the same values.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "FuzzSupport.h"
#include "settings/Configuration.h"
#include "settings/EditTableStore.h"
#include "settings/SettingsStore.h"

namespace {

orbelin::settings::Settings saveAndLoad(const orbelin::settings::Settings& values, const std::filesystem::path& file) {
  using namespace orbelin;
  std::filesystem::remove(file);
  fuzz::require(settings::PutPGPra(values, file, fuzz::harness().reporter), "settings save");
  settings::Configuration reloaded;
  settings::InitDefaults(reloaded);
  settings::LoadSettings(reloaded, file);
  return reloaded.settings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbelin;
  auto& h = fuzz::harness();
  const auto file = h.paths.ini();
  std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                 static_cast<std::streamsize>(size));
  settings::Configuration loaded;
  settings::InitDefaults(loaded);
  settings::LoadSettings(loaded, file);
  settings::LoadEditTables(loaded.tables, file, h.reporter);

  // A save drops what the file format cannot carry (line breaks inside a value), so the
  // property is on what a save wrote: it loads back to the values that were saved.
  const settings::Settings once = saveAndLoad(loaded.settings, h.paths.file("ONCE.INI"));
  fuzz::require(saveAndLoad(once, h.paths.file("TWICE.INI")) == once, "saved settings load back unchanged");
  return 0;
}
