#include "PtyFixture.h"

#include <map>

namespace orbelin::test {

void PtyFixture::mapPorts(const std::vector<std::pair<int, std::string>>& devices) {
  std::map<int, std::string> byNumber(devices.begin(), devices.end());
  std::string ini = "[PORTS]\r\n";
  for (int n = 1; n <= 16; ++n) {
    const auto found = byNumber.find(n);
    ini += std::to_string(n) + "=" + (found != byNumber.end() ? found->second : (dir / "missing").string()) + "\r\n";
  }
  writeFile(paths.ini(), ini);
}

}  // namespace orbelin::test
