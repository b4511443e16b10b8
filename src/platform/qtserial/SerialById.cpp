#include "platform/qtserial/SerialById.h"

#include <algorithm>
#include <system_error>

namespace orbelin::platform::qtserial {

std::vector<StableSerialName> serialDevicesById(const std::filesystem::path& folder) {
  std::vector<StableSerialName> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code entryError;
    if (!it->is_symlink(entryError)) continue;
    // A link left behind by a device that is already gone leads nowhere and is no choice.
    const auto device = std::filesystem::canonical(it->path(), entryError);
    if (entryError) continue;
    names.push_back({it->path().string(), device.string()});
  }
  std::sort(names.begin(), names.end(),
            [](const StableSerialName& a, const StableSerialName& b) { return a.path < b.path; });
  return names;
}

}  // namespace orbelin::platform::qtserial
