#include "net/encodings.h"

#include <gtest/gtest.h>

namespace quorl {
namespace {

TEST(EncodingsTest, EscapeReplacesReservedCharactersOnly) {
  EXPECT_EQ(EscapeText("a b/c?"), "a b%2Fc%3F");
  EXPECT_EQ(EscapeText("%"), "%25");
  EXPECT_EQ(EscapeText("~`!#$%^&()+={}|[]\\:\";'<>?,/"),
            "%7E%60%21%23%24%25%5E%26%28%29%2B%3D%7B%7D%7C%5B%5D%5C%3A%22%3B%27%3C%3E%3F%2C%2F");
  EXPECT_EQ(EscapeText("az09@*-_.\t\xE9"), "az09@*-_.\t\xE9");
  EXPECT_EQ(EscapeText(""), "");
}

TEST(EncodingsTest, UnescapeDecodesPairsWithoutValidation) {
  EXPECT_EQ(UnescapeText("%41%7e%7E"), "A~~");
  EXPECT_EQ(UnescapeText("%25"), "%");
  EXPECT_EQ(UnescapeText("a+b%20c"), "a+b c");
  EXPECT_EQ(UnescapeText("%G1"), "\x01");
  // A "%" at the very end reads two zero bytes: 16 * -48 - 48 wraps to 0xD0.
  EXPECT_EQ(UnescapeText("ab%"), "ab\xD0");
  // A single last character x gives 16 * value(x) - 48.
  EXPECT_EQ(UnescapeText("%1"), "\xE0");
  // Bytes above 127 count as negative: 0xFF is -1, its value -49.
  EXPECT_EQ(UnescapeText("%\xFF"
                         "0"),
            "\xF0");
}

TEST(EncodingsTest, DecodedZeroByteEndsTheText) {
  EXPECT_EQ(UnescapeText("%00abc"), "");
  EXPECT_EQ(UnescapeText("ab%00cd"), "ab");
}

TEST(EncodingsTest, PlusAndSpaceSwapOnlyThoseCharacters) {
  EXPECT_EQ(SpaceToPlus("a b\tc  d"), "a+b\tc++d");
  EXPECT_EQ(SpaceToPlus("abc"), "abc");
  EXPECT_EQ(PlusToSpace("a+b++c "), "a b  c ");
}

TEST(EncodingsTest, Base64EncodePadsShortGroups) {
  EXPECT_EQ(EncodeBase64(""), "");
  EXPECT_EQ(EncodeBase64("M"), "TQ==");
  EXPECT_EQ(EncodeBase64("Ma"), "TWE=");
  EXPECT_EQ(EncodeBase64("Man"), "TWFu");
  EXPECT_EQ(EncodeBase64("user:secret"), "dXNlcjpzZWNyZXQ=");
  EXPECT_EQ(EncodeBase64("\xFF\xFE\xFD"), "//79");
}

TEST(EncodingsTest, Base64RoundTripsEveryNonZeroByte) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(DecodeBase64(EncodeBase64(all)), all);
}

TEST(EncodingsTest, Base64DecodeCountsForeignCharactersAsZero) {
  EXPECT_EQ(DecodeBase64(""), "");
  EXPECT_EQ(DecodeBase64("TWFu"), "Man");
  // Padding decodes to zero bytes, which end the text.
  EXPECT_EQ(DecodeBase64("TQ=="), "M");
  EXPECT_EQ(DecodeBase64("TWE="), "Ma");
  // A missing tail counts as zero-valued characters.
  EXPECT_EQ(DecodeBase64("TWE"), "Ma");
  EXPECT_EQ(DecodeBase64("TWFuTW"), "ManM`");  // "TW" with two zeros gives "M`"
  // A line break takes a place in the group, so what follows is shifted.
  EXPECT_EQ(DecodeBase64("TWFu\nTWFu"), "Man\x01\x35\x85\xB8");
  // "\r\nTW" decodes as 0, 0, 19, 22: its first byte is 0 and ends the text.
  EXPECT_EQ(DecodeBase64("TWFu\r\nTWFu"), "Man");
  // A byte 0 inside the data ends the result.
  EXPECT_EQ(DecodeBase64(EncodeBase64(std::string("ab\0cd", 5))), "ab");
}

}  // namespace
}  // namespace quorl
