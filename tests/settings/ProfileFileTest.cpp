#include "settings/ProfileFile.h"

#include <gtest/gtest.h>

#include "support/Harness.h"

namespace orbelin::settings {
namespace {

TEST(ProfileDocument, AppendsNewKeysAtTheEndOfTheirSection) {
  auto document = ProfileDocument::parse("[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
  document.setValue("a", "z", "3");
  document.setValue("C", "w", "4");
  document.setValue("b", "Y", "5");
  EXPECT_EQ(document.serialize(), "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=5\r\n[C]\r\nw=4\r\n");
}

TEST(ProfileDocument, ValuesWithOuterBlanksOrQuotesSurvive) {
  ProfileDocument document;
  for (std::string value : {" a", "b ", "\"c\"", "\"", "", "x=y"}) {
    document.setValue("S", "k", value);
    EXPECT_EQ(ProfileDocument::parse(document.serialize()).value("S", "k"), value) << value;
  }
}

TEST(ProfileDocument, LineBreaksInAValueCannotSplitTheFile) {
  ProfileDocument document;
  document.setValue("S", "k", "a\r\n[T]\r\nb");
  EXPECT_EQ(document.serialize(), "[S]\r\nk=a[T]b\r\n");
}

TEST(ProfileFile, WritesByRenamingACompleteFile) {
  test::Harness h;
  const auto ini = h.dir / "A.INI";
  ASSERT_TRUE(profileWrite("TES", "OK", "1", ini).ok);
  EXPECT_EQ(test::readFile(ini), "[TES]\r\nOK=1\r\n");
  EXPECT_FALSE(std::filesystem::exists(h.dir / "A.INI.tmp"));
  EXPECT_FALSE(profileWrite("TES", "OK", "1", h.dir / "missing" / "A.INI").ok);
}

}  // namespace
}  // namespace orbelin::settings
