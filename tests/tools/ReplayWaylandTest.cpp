#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sys/wait.h>

#include "platform/wayland/WaylandKeyboard.h"
#include "support/TempDir.h"
#include "support/TextBox.h"

namespace orbelin::tools {
namespace {

TEST(ReplayWayland, TypesTheCaptureIntoAWaylandClientAndPrintsTheTranscript) {
  // This keyboard gives the client its focus and reads the text back.
  auto keyboard = platform::wayland::WaylandKeyboard::open();
  ASSERT_TRUE(keyboard.keyboard) << keyboard.reason;
  test::TextBox client(test::TextBox::Focus::Await);
  ASSERT_TRUE(client.ready()) << client.problem();
  test::TempDir dir;
  test::writeFile(dir / "script.txt", "text \"Abc12\"\n");
  const std::string command = std::string("'") + ORBELIN_REPLAY + "' --keyboard wayland --dir '" +
                              dir.path().string() + "' '" + (dir / "script.txt").string() + "'";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  std::array<char, 4096> buffer{};
  std::size_t got = 0;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), got);
  const int status = pclose(pipe);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << out;
  EXPECT_NE(out.find("ime 65\nime 98\nime 99\nime 49\nime 50\n"), std::string::npos) << out;
  EXPECT_EQ(client.text(*keyboard.keyboard), "Abc12");
}

}  // namespace
}  // namespace orbelin::tools
