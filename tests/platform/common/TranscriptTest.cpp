#include "platform/common/Transcript.h"

#include <gtest/gtest.h>

#include <sstream>

#include "codec/Cp932.h"
#include "platform/Keyboard.h"
#include "platform/common/KeyboardLines.h"
#include "codec/Utf8.h"

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

// The lines have always shown the code page 932 code as a signed 16-bit number; the
// keyboard now takes characters, so the code is found again from the character.
TEST(Transcript, ShowsAPostedCharacterByItsCode) {
  EXPECT_EQ(postedCharacterLine(U'A'), "ime 65");
  EXPECT_EQ(postedCharacterLine(U'あ'), "ime -32096");
  EXPECT_EQ(postedCharacterLine(U'ｶ'), "ime 182");
  EXPECT_EQ(postedCharacterLine(codec::decodeCharacter("\x81")), "ime 129");
  for (unsigned code = 0; code <= 0xFFFF; ++code) {
    const char32_t character = codec::decodeCode(code);
    if (character == codec::kInvalidCodePoint || codec::encodeCodePoint(character) != static_cast<int>(code)) continue;
    const int shown = code > 0xFF ? static_cast<std::int16_t>(code) : static_cast<int>(code);
    ASSERT_EQ(postedCharacterLine(character), "ime " + std::to_string(shown)) << code;
  }
}

TEST(Transcript, ShowsKeyEventsAndPausesByTheirNumbers) {
  EXPECT_EQ(keyEventLine(0x41, 30, 0), "key 65 30 0");
  EXPECT_EQ(keyEventLine(0xA5, 56, kKeyExtended | kKeyUp), "key 165 56 3");
  EXPECT_EQ(pauseLine(15), "sleep 15");
}

}  // namespace
}  // namespace orbelin::platform
