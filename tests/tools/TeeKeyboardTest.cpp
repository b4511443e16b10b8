// The replay's keyboard wrapper hands every Keyboard method to the real keyboard: one it
// forgot (prepareCharacters once) makes the replay type slower or differently than the
// program does.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/common/Transcript.h"
#include "tools/RealOutput.h"

namespace orbelin::tools {
namespace {

using ::testing::ElementsAre;
using ::testing::Return;

class MockKeyboard : public platform::Keyboard {
 public:
  MOCK_METHOD(void, keyEvent, (std::uint8_t, std::uint8_t, std::uint32_t), (override));
  MOCK_METHOD(std::int16_t, keyForCharacter, (std::uint8_t), (override));
  MOCK_METHOD(std::uint8_t, scanCodeOf, (std::uint8_t), (override));
  MOCK_METHOD(std::optional<platform::WindowId>, focusWindow, (), (override));
  MOCK_METHOD(void, postCharacter, (platform::WindowId, char32_t), (override));
  MOCK_METHOD(void, sleep, (int), (override));
  MOCK_METHOD(void, prepareCharacters, (std::span<const char32_t>), (override));
  MOCK_METHOD(void, beginRecord, (), (override));
  MOCK_METHOD(void, endRecord, (), (override));
  MOCK_METHOD(std::string, takeNotice, (), (override));
};

TEST(TeeKeyboard, EveryMethodReachesTheRealKeyboard) {
  ::testing::StrictMock<MockKeyboard> real;
  platform::Transcript transcript;
  platform::sim::RecordingKeyboard recorder(transcript);
  TeeKeyboard tee(real, recorder, false);
  const char32_t characters[] = {U'A', U'あ'};
  EXPECT_CALL(real, keyEvent(13, 28, platform::kKeyUp));
  EXPECT_CALL(real, keyForCharacter(65)).WillOnce(Return(0x141));
  EXPECT_CALL(real, scanCodeOf(13)).WillOnce(Return(28));
  EXPECT_CALL(real, focusWindow()).WillOnce(Return(7));
  EXPECT_CALL(real, postCharacter(7, U'A'));
  EXPECT_CALL(real, sleep(0));
  EXPECT_CALL(real, prepareCharacters(ElementsAre(U'A', U'あ')));
  EXPECT_CALL(real, beginRecord());
  EXPECT_CALL(real, endRecord());
  EXPECT_CALL(real, takeNotice()).WillOnce(Return("notice"));
  tee.beginRecord();
  tee.prepareCharacters(characters);
  tee.keyEvent(13, 28, platform::kKeyUp);
  EXPECT_EQ(tee.keyForCharacter(65), 0x141);
  EXPECT_EQ(tee.scanCodeOf(13), 28);
  EXPECT_EQ(tee.focusWindow(), 7u);
  tee.postCharacter(7, U'A');
  tee.sleep(0);
  tee.endRecord();
  EXPECT_EQ(tee.takeNotice(), "notice");
  // The recorder still writes what was typed.
  EXPECT_FALSE(transcript.lines().empty());
}

}  // namespace
}  // namespace orbelin::tools
