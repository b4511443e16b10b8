// orbelin-soak: the real program on a pty with a text box holding the focus, fed records
// of 14 bytes in bursts; prints its resident memory after every burst and checks that
// every record was typed once, in order, and that the memory stayed flat.
//   orbelin-soak RECORDS BURST MAX_GROWTH_KB FROM_RECORDS
// Fails when the resident size after the last burst exceeds the one after FROM_RECORDS
// records by more than MAX_GROWTH_KB. Needs a display (run it under with-xvfb.sh).
#include <sys/types.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/x11/X11Keyboard.h"
#include "support/Desktop.h"
#include "support/ReaderPty.h"
#include "support/TempDir.h"
#include "support/TextBox.h"
#include "support/WaitFor.h"

namespace {

using namespace orbelin::test;
using namespace std::chrono_literals;

long residentKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("VmRSS:")) return std::atol(line.c_str() + 6);
  }
  return -1;
}

std::size_t loggedRecords(const std::filesystem::path& log) {
  const std::string text = readFile(log);
  std::size_t count = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++count;
  return count;
}

/// Record number n: STX, twelve digits, CR.
std::string record(long n) {
  char text[24];
  std::snprintf(text, sizeof text, "%012ld", n);
  return "\x02" + std::string(text) + "\r";
}

int soak(long records, long burst, long maxGrowthKb, long from) {
  TempDir dir;
  ReaderPty reader;
  // One line per record keeps the text box quick to redraw however many there are.
  writeSettings(dir.path(), reader.device(), "Foot={ENTER}\r\n");
  RunningProgram program(dir.path());
  if (!waitFor([&] { return reader.openedByProgram(); }, 60s)) return std::puts("orbelin never opened COM1"), 1;
  TextBox client(TextBox::Focus::Give);
  auto opened = orbelin::platform::x11::X11Keyboard::open();
  if (!client.ready() || !opened.keyboard) return std::puts("no text box or keyboard"), 1;

  std::string expected;
  long baseline = -1;
  long last = -1;
  const auto start = std::chrono::steady_clock::now();
  for (long sent = 0; sent < records;) {
    std::string bytes;
    for (long i = 0; i < burst && sent < records; ++i, ++sent) {
      bytes += record(sent);
      expected += bytes.substr(bytes.size() - 13, 12) + "\n";
    }
    reader.write(bytes);
    // Every record read is one line in the receive log; the gap is generous per record.
    const auto target = static_cast<std::size_t>(sent);
    if (!waitFor([&] { return loggedRecords(dir.path() / "COMRECV.LOG") >= target; }, 60s + burst * 100ms)) {
      return std::printf("only %zu of %ld records read\n", loggedRecords(dir.path() / "COMRECV.LOG"), sent), 1;
    }
    last = residentKb(program.program);
    if (sent == from) baseline = last;
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
    std::printf("records %6ld  resident %6ld KB  %4lds\n", sent, last, static_cast<long>(seconds.count()));
    std::fflush(stdout);
  }
  const std::optional<std::string> typed = client.textOnceTyped(*opened.keyboard, expected.size());
  int result = 0;
  if (typed != expected) {
    std::printf("typed text differs: %zu characters instead of %zu\n", typed ? typed->size() : 0, expected.size());
    result = 1;
  }
  if (baseline >= 0) {
    std::printf("growth after %ld records: %ld KB (at most %ld)\n", from, last - baseline, maxGrowthKb);
    if (last - baseline > maxGrowthKb) result = 1;
  }
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: orbelin-soak RECORDS BURST MAX_GROWTH_KB FROM_RECORDS\n");
    return 2;
  }
  return soak(std::atol(argv[1]), std::atol(argv[2]), std::atol(argv[3]), std::atol(argv[4]));
}
