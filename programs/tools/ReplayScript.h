#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace orbelin::tools {

/// Bytes arriving from the reader together.
struct ArriveStep {
  std::string bytes;
};
/// Virtual time passing.
struct WaitStep {
  std::int64_t ms = 0;
};
/// A file created in (or deleted from) the program folder.
struct TouchStep {
  std::string name;
};
struct RemoveStep {
  std::string name;
};

using ReplayStep = std::variant<ArriveStep, WaitStep, TouchStep, RemoveStep>;

/// A parsed script, or the first malformed line.
struct ReplayScript {
  std::vector<ReplayStep> steps;
  std::optional<std::string> error;
};

/// Parses a replay script: "bytes HH HH ...", "text \"...\"" (code page 932 of the
/// text; \r \n \t \\ \" and \xHH for one raw byte), "wait MS", "touch NAME",
/// "remove NAME"; blank lines and lines starting with "#" are skipped. The error names
/// the line number.
ReplayScript parseReplayScript(std::string_view text);

/// The text of a quoted script string without its quotes, as code page 932 bytes;
/// nothing when it is malformed.
std::optional<std::string> unquoteToCp932(std::string_view quoted);

}  // namespace orbelin::tools
