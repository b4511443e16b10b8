#include "serial/PortSetup.h"

#include <cctype>

#include "text/Integers.h"
#include "settings/ProfileFile.h"
#include "settings/SettingsStore.h"

namespace orbelin::serial {

namespace {

using platform::Parity;
using platform::StopBits;
using settings::Setting;
using report::RuntimeFailure;

Parity parityOf(const std::string& letter) {
  const char c = letter.size() == 1 ? static_cast<char>(std::tolower(static_cast<unsigned char>(letter[0]))) : '?';
  switch (c) {
    case 'n': return Parity::None;
    case 'e': return Parity::Even;
    case 'o': return Parity::Odd;
    case 'm': return Parity::Mark;
    case 's': return Parity::Space;
    default: throw RuntimeFailure("パリティ \"" + letter + "\" は使用できません。");
  }
}

StopBits stopBitsOf(const std::string& text) {
  if (text == "1") return StopBits::One;
  if (text == "2") return StopBits::Two;
  if (text == "1.5") throw RuntimeFailure("ストップビット 1.5 はこのシステムのシリアルポートでは使用できません。");
  throw RuntimeFailure("ストップビット \"" + text + "\" は使用できません。");
}

int dataBitsOf(const std::string& text) {
  const int bits = text::toInteger(text);
  if (bits >= 5 && bits <= 8) return bits;
  throw RuntimeFailure("データビット " + text + " はこのシステムのシリアルポートでは使用できません。");
}

platform::Handshake handshakeOf(const std::string& text) {
  const int value = text::toInteger(text);
  if (value < 0 || value > 3) throw RuntimeFailure(text::kInvalidArgument);
  return static_cast<platform::Handshake>(value);
}

}  // namespace

std::string deviceForPort(int number, const std::filesystem::path& iniFile) {
  const std::string key = std::to_string(number);
  const std::string device = settings::profileRead("PORTS", key, "", settings::kProfileBufferSize, iniFile);
  if (!device.empty()) return device;
  return "/dev/ttyS" + std::to_string(number - 1);
}

std::string portLabel(int number, const std::filesystem::path& iniFile) {
  const std::string com = "COM" + std::to_string(number);
  const std::string device = settings::profileRead("PORTS", std::to_string(number), "", settings::kProfileBufferSize, iniFile);
  return device.empty() ? com : com + " " + device;
}

platform::PortRequest portRequestFor(int number, const settings::Settings& settings,
                                     const std::filesystem::path& iniFile) {
  platform::PortRequest request;
  request.number = number;
  if (number < 1) throw RuntimeFailure(text::kInvalidArgument);
  request.device = deviceForPort(number, iniFile);
  request.baud = text::toInteger(settings.get(Setting::Baud));
  if (request.baud <= 0) throw RuntimeFailure(text::kInvalidArgument);
  request.parity = parityOf(settings.get(Setting::Parity));
  request.dataBits = dataBitsOf(settings.get(Setting::Data));
  request.stopBits = stopBitsOf(settings.get(Setting::Stop));
  request.handshake = handshakeOf(settings.get(Setting::Hand));
  request.bufferSize = text::toInteger(settings.get(Setting::Buf));
  if (request.bufferSize <= 0) throw RuntimeFailure(text::kInvalidArgument);
  return request;
}

}  // namespace orbelin::serial
