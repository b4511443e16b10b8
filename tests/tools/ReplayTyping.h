#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/RunCommand.h"
#include "support/TempDir.h"

namespace orbelin::test {

/// Replays a capture of the scan "Abc12" with --keyboard keyboard, into whatever client
/// has the focus, and checks the tool ended well and printed the characters it typed.
inline void replayAbc12(const std::string& keyboard) {
  TempDir dir;
  writeFile(dir / "script.txt", "text \"Abc12\"\n");
  const CommandOutput run = runCommand(std::string("'") + ORBELIN_REPLAY + "' --keyboard " + keyboard + " --dir '" +
                                       dir.path().string() + "' '" + (dir / "script.txt").string() + "'");
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("ime 65\nime 98\nime 99\nime 49\nime 50\n"), std::string::npos) << run.out;
}

}  // namespace orbelin::test
