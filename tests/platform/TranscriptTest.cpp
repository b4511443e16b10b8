#include "platform/Transcript.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/sim/RecordingMessageBox.h"

namespace orbelin::platform {
namespace {

TEST(Transcript, QuotesTextWithItsEscapes) {
  EXPECT_EQ(quoteForTranscript("a\\b\"c\r\n\t\x01\x7f" "日本"), "\"a\\\\b\\\"c\\r\\n\\t\\x01\\x7F日本\"");
  EXPECT_EQ(quoteForTranscript(""), "\"\"");
}

TEST(Transcript, RecordsMessageBoxesAndEchoesThem) {
  Transcript transcript;
  std::ostringstream echo;
  transcript.echoTo(&echo);
  sim::RecordingMessageBox box(transcript);
  box.show(MessageIcon::Question, "転送設定確認", "設定しますか？");
  box.show(MessageIcon::None, "", "");
  const std::string expected = "msgbox question \"転送設定確認\" \"設定しますか？\"\nmsgbox none \"\" \"\"\n";
  EXPECT_EQ(transcript.text(), expected);
  EXPECT_EQ(echo.str(), expected);
}

}  // namespace
}  // namespace orbelin::platform
