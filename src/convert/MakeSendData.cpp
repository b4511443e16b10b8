#include "convert/MakeSendData.h"

#include <optional>

#include "convert/ByteEdit.h"
#include "convert/codec/Cp932.h"
#include "convert/text/Integers.h"
#include "convert/text/InterchangeStr.h"

namespace orbelin::convert {

namespace {

using settings::Setting;

char codeByte(std::string_view setting) {
  const std::int32_t code = text::toInteger(setting);
  if (code < 0 || code > 255) throw text::RuntimeFailure(text::kInvalidArgument);
  return static_cast<char>(code);
}

std::optional<char> prefixByte(const settings::Settings& s) {
  const std::string& head = s.get(Setting::RcvHead);
  if (head == "1") return '\x02';
  if (head == "2") return '\x01';
  if (head == "3") return codeByte(s.get(Setting::HeadOther));
  return std::nullopt;
}

std::string suffixBytes(const settings::Settings& s) {
  const std::string& foot = s.get(Setting::RcvFoot);
  if (foot == "1") return "\x03";
  if (foot == "2") return "\x17";
  if (foot == "3") return "\r";
  if (foot == "4") return "\n";
  if (foot == "5") return "\r\n";
  if (foot == "6") return std::string(1, codeByte(s.get(Setting::FootOther)));
  return {};
}


// The rows run in order on the code page 932 bytes, so a later row sees the output of an
// earlier one; converting once instead of per row gives the same bytes.
std::string substitute(std::string_view text, const settings::EditTables& tables) {
  std::string bytes = codec::toCp932(text);
  for (const auto& pair : tables.substitutions) {
    if (!pair.beforeWorking.empty()) {
      bytes = text::replaceAllBytes(bytes, codec::toCp932(pair.beforeWorking), codec::toCp932(pair.afterWorking));
    }
  }
  return codec::fromCp932(bytes);
}

}  // namespace

std::optional<std::string> RemoveFraming(std::string_view record, const settings::Settings& s) {
  if (!s.isOn(Setting::Select)) return std::string(record);
  const std::optional<char> prefix = prefixByte(s);
  const std::string suffix = suffixBytes(s);
  std::string bytes = codec::toCp932(record);
  if (prefix) {
    if (bytes.empty() || bytes.front() != *prefix) return std::nullopt;
    bytes.erase(0, codec::charLengthAt(bytes, 0));
  }
  if (!suffix.empty()) {
    const auto at = bytes.find(suffix);
    if (at == std::string::npos) return std::nullopt;
    bytes.resize(at);
  }
  return codec::fromCp932(bytes);
}

std::string MakeSendData(std::string_view data, const settings::Settings& settings,
                         const settings::EditTables& tables, report::FailureReporter& reporter,
                         FramingCodes framing) {
  if (data.empty()) return {};
  try {
    std::string text(data);
    if (framing == FramingCodes::Check) text = RemoveFraming(data, settings).value_or(std::string());
    if (settings.isOn(Setting::ByteEd) && !text.empty()) text = applyByteEdit(text, tables.byteEdits);
    if (settings.isOn(Setting::Chikan) && !text.empty()) text = substitute(text, tables);
    return text;
  } catch (const std::exception& failure) {
    reporter.report("MakeSendData", failure);
    return {};
  }
}

std::string EscapeKeyBraces(std::string_view data, const settings::Settings& settings) {
  if (data.empty()) return {};
  const bool escape = settings.isOn(Setting::SendKeySpc);
  std::string result;
  try {
    const std::string bytes = codec::toCp932(data);
    std::string out;
    for (std::size_t pos = 0; pos < bytes.size();) {
      const std::size_t length = codec::charLengthAt(bytes, pos);
      const std::string_view piece(bytes.data() + pos, length);
      if (escape && piece == "{") {
        out += "{{}";
      } else if (escape && piece == "}") {
        out += "{}}";
      } else {
        out += piece;
      }
      pos += length;
    }
    result = codec::fromCp932(out);
  } catch (const std::exception&) {
    result += "<Error!>";
  }
  return result;
}

}  // namespace orbelin::convert
