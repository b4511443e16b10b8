#include "fileout/MakeFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include <gtest/gtest.h>

#include "codec/Cp932.h"
#include "platform/FileAppend.h"
#include "support/Harness.h"

namespace orbelin::fileout {
namespace {

TEST(MakeFile, AppendsEachTextOnALineOfItsOwn) {
  test::Harness h;
  const auto out = h.dir / "out.txt";
  ASSERT_TRUE(MakeFile("4901234567894", out, h.reporter));
  ASSERT_TRUE(MakeFile("日本", out, h.reporter));
  ASSERT_TRUE(MakeFile("", out, h.reporter));
  EXPECT_EQ(test::readFile(out), codec::toCp932("4901234567894\r\n日本\r\n\r\n"));
}

TEST(MakeFile, GivesUpAfterSixtyAttemptsWithOneLogLine) {
  test::Harness h;
  EXPECT_FALSE(MakeFile("lost", h.dir / "missing" / "out.txt", h.reporter));
  EXPECT_EQ(h.clock.monotonicMs(), 59 * 50);
  ASSERT_EQ(h.errorLines().size(), 1u);
  EXPECT_EQ(h.errorLines()[0].rfind("[MakeFile] QELT:", 0), 0u);
  EXPECT_TRUE(h.transcript.lines().empty());  // no message box
}

// Holds an exclusive lock on a file, as a program reading or rotating it would, and lets
// it go after a number of retry pauses.
class LockReleasingClock : public platform::sim::SimClock {
 public:
  LockReleasingClock(const std::filesystem::path& path, int releaseAfter) : m_releaseAfter(releaseAfter) {
    m_fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0644);
    ::flock(m_fd, LOCK_EX);
  }
  ~LockReleasingClock() override { ::close(m_fd); }
  void sleepMs(int ms) override {
    SimClock::sleepMs(ms);
    if (++m_pauses == m_releaseAfter) ::flock(m_fd, LOCK_UN);
  }
  int pauses() const { return m_pauses; }

 private:
  int m_fd = -1;
  int m_pauses = 0;
  int m_releaseAfter;
};

TEST(MakeFile, WaitsForAFileHeldByAnotherProgram) {
  test::Harness h;
  const auto out = h.dir / "out.txt";
  LockReleasingClock clock(out, 20);
  report::FailureReporter reporter(h.paths.errorLog(), clock, h.messages);
  EXPECT_TRUE(MakeFile("record", out, reporter));
  EXPECT_EQ(clock.pauses(), 20);
  EXPECT_EQ(test::readFile(out), "record\r\n");
  EXPECT_FALSE(std::filesystem::exists(h.paths.errorLog()));
}

// A full disk, played by a file size limit: the line that does not fit leaves no part behind.
TEST(MakeFile, AppendThatDoesNotFitLeavesTheFileAsItWas) {
  test::Harness h;
  const auto out = h.dir / "out.txt";
  ASSERT_TRUE(platform::appendLine(out, "first").ok);
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 7 + 4;  // "first\r\n" and four bytes more
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const platform::AppendResult failed = platform::appendLine(out, "0123456789");
  const std::string afterFailure = test::readFile(out);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(failed.ok);
  EXPECT_FALSE(failed.description.empty());
  EXPECT_EQ(afterFailure, "first\r\n");
  ASSERT_TRUE(platform::appendLine(out, "next").ok);
  EXPECT_EQ(test::readFile(out), "first\r\nnext\r\n");
}

}  // namespace
}  // namespace orbelin::fileout
