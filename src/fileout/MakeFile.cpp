#include "fileout/MakeFile.h"

#include "codec/Cp932.h"
#include "platform/FileAppend.h"

namespace orbelin::fileout {

bool MakeFile(std::string_view text, const std::filesystem::path& path, report::FailureReporter& reporter) {
  const std::string bytes = codec::toCp932(text);
  for (int attempt = 1;; ++attempt) {
    const platform::AppendResult result = platform::appendLine(path, bytes);
    if (result.ok) return true;
    if (attempt >= kMakeFileAttempts) {
      reporter.report("MakeFile", report::kProgramSource, result.description);
      return false;
    }
    reporter.clock().sleepMs(kMakeFileRetryMs);
  }
}

}  // namespace orbelin::fileout
