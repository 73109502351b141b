#include <gtest/gtest.h>

#include "shell/DisplayText.h"
#include "tests/shell/ShellTestSupport.h"

namespace orvane {
namespace {

TEST(DisplayText, Utf8WhereValidLatin1Otherwise) {
  // "é" as UTF-8 (0xC3 0xA9) and "𝄞" (four bytes, two UTF-16 units).
  const std::string utf8 =
      "a\xC3\xA9"
      "b\xF0\x9D\x84\x9E"
      "c";
  const DisplayText shown(utf8);
  EXPECT_TRUE(shown.isUtf8());
  EXPECT_EQ(shown.text(), QString::fromUtf8(utf8.c_str()));
  EXPECT_EQ(shown.position(0), 0);  // a
  EXPECT_EQ(shown.position(1), 1);  // é
  EXPECT_EQ(shown.position(3), 2);  // b
  EXPECT_EQ(shown.position(4), 3);  // 𝄞
  EXPECT_EQ(shown.position(8), 5);  // c
  EXPECT_EQ(shown.position(9), 6);  // the end
  EXPECT_EQ(shown.bytesOf(shown.text()).toStdString(), utf8);

  // 0xE9 alone is no UTF-8: every byte is one Latin-1 character.
  const std::string latin1 = "caf\xE9 \"x\"";
  const DisplayText fallback(latin1);
  EXPECT_FALSE(fallback.isUtf8());
  EXPECT_EQ(fallback.text(), QStringLiteral(u"café \"x\""));
  EXPECT_EQ(fallback.position(4), 4);
  EXPECT_EQ(fallback.bytesOf(fallback.text()).toStdString(), latin1);

  EXPECT_EQ(displayString("plain"), QStringLiteral("plain"));
}

}  // namespace
}  // namespace orvane
