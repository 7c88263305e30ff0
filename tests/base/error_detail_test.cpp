// The detail line kept beside an error code: it answers only for its own
// code, is replaced and cleared, and a very long text is cut without
// splitting a UTF-8 character.
#include "base/error_detail.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(ErrorDetail, BelongsToItsCodeAndIsReplacedOrCleared) {
  LibErrorDetailClear();
  EXPECT_EQ(LibErrorDetailA(48), nullptr);
  LibErrorDetailSetA(48, "/d/acqus: no ##$TD= entry");
  ASSERT_NE(LibErrorDetailA(48), nullptr);
  EXPECT_STREQ(LibErrorDetailA(48), "/d/acqus: no ##$TD= entry");
  EXPECT_EQ(LibErrorDetailA(56), nullptr);
  EXPECT_EQ(LibErrorDetailA(0), nullptr);
  LibErrorDetailSetA(56, "/d/fid: no such file");
  EXPECT_EQ(LibErrorDetailA(48), nullptr);
  EXPECT_STREQ(LibErrorDetailA(56), "/d/fid: no such file");
  LibErrorDetailSetA(0, "ignored");
  EXPECT_EQ(LibErrorDetailA(0), nullptr);
  EXPECT_EQ(LibErrorDetailA(56), nullptr);
  LibErrorDetailSetA(62, nullptr);
  EXPECT_EQ(LibErrorDetailA(62), nullptr);
  LibErrorDetailSetA(62, "x");
  LibErrorDetailClear();
  EXPECT_EQ(LibErrorDetailA(62), nullptr);
}

TEST(ErrorDetail, ALongTextIsCutAtACharacterBoundary) {
  // Two-byte characters after one ASCII byte: any even cut length would
  // split one of them.
  std::string text = "a";
  for (int i = 0; i < 3000; ++i) text += "\xC3\xA9";
  LibErrorDetailSetA(56, text.c_str());
  const char* kept = LibErrorDetailA(56);
  ASSERT_NE(kept, nullptr);
  const size_t n = std::strlen(kept);
  EXPECT_GT(n, 1000u);
  EXPECT_LT(n, text.size());
  EXPECT_EQ(std::string(kept), text.substr(0, n));
  // The cut leaves whole characters: one ASCII byte and pairs.
  EXPECT_EQ(n % 2, 1u);
  LibErrorDetailClear();
}

}  // namespace
