#include "base/utf.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/memory.h"
#include "support/alloc_failure.h"
#include "utf_cases.inc"

namespace {

// glibc's iconv, an independent converter, for well-formed input.
std::string IconvUtf8(const std::u16string& units) {
  iconv_t cd = iconv_open("UTF-8", "UTF-16LE");
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
  std::string in(reinterpret_cast<const char*>(units.data()), units.size() * 2);
  std::string out(units.size() * 4, '\0');
  char* ip = in.data();
  char* op = out.data();
  size_t il = in.size(), ol = out.size();
  EXPECT_NE(iconv(cd, &ip, &il, &op, &ol), static_cast<size_t>(-1));
  iconv_close(cd);
  out.resize(out.size() - ol);
  return out;
}

std::string ToUtf8(const std::u16string& units) {
  const Qword need = Utf16ToUtf8(units.c_str(), kNoIndex, nullptr, 0);
  std::string out(need + 1, '#');
  EXPECT_EQ(Utf16ToUtf8(units.c_str(), kNoIndex, out.data(), out.size()), need);
  EXPECT_EQ(out[need], 0);
  out.resize(need);
  return out;
}

std::u16string ToUtf16(const std::string& bytes) {
  const Qword need = Utf8ToUtf16(bytes.c_str(), kNoIndex, nullptr, 0);
  std::u16string out(need + 1, u'#');
  EXPECT_EQ(Utf8ToUtf16(bytes.c_str(), kNoIndex, out.data(), out.size()), need);
  EXPECT_EQ(out[need], 0);
  out.resize(need);
  return out;
}

}  // namespace

TEST(Utf, EveryCharacterRoundTripsAndAgreesWithIconv) {
  std::u16string all;
  for (Dword c = 1; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    if (c < 0x10000) {
      all.push_back(static_cast<char16_t>(c));
    } else {
      all.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      all.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    }
  }
  const std::string utf8 = ToUtf8(all);
  ASSERT_EQ(utf8, IconvUtf8(all));
  ASSERT_EQ(ToUtf16(utf8), all);
}

TEST(Utf, FourByteCharacters) {
  EXPECT_EQ(ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(ToUtf16("\xF0\x9F\x98\x80"), u"\U0001F600");
  EXPECT_EQ(ToUtf8(u"\U0010FFFF"), "\xF4\x8F\xBF\xBF");
  EXPECT_EQ(ToUtf16("M\xC3\xBCller/\xC3\xB6"), u"M\u00FCller/\u00F6");
}

TEST(Utf, MalformedUtf8AgreesWithPythonCodec) {
  for (const Utf8Case& c : kUtf8Cases) {
    SCOPED_TRACE(testing::PrintToString(std::string(c.bytes)));
    ASSERT_EQ(ToUtf16(c.bytes), std::u16string(c.units));
    char16_t* fresh = NewUtf16FromUtf8(c.bytes);
    ASSERT_NE(fresh, nullptr);
    ASSERT_EQ(std::u16string(fresh), std::u16string(c.units));
    KillString(&fresh);
  }
}

TEST(Utf, LoneSurrogatesAgreeWithPythonCodec) {
  for (const Utf16Case& c : kUtf16Cases) {
    SCOPED_TRACE(testing::PrintToString(std::u16string(c.units).size()));
    ASSERT_EQ(ToUtf8(c.units), std::string(c.bytes));
    char* fresh = NewUtf8FromUtf16(c.units);
    ASSERT_NE(fresh, nullptr);
    ASSERT_STREQ(fresh, c.bytes);
    KillStringA(&fresh);
  }
}

// Sources in blocks of exactly their size, without terminator: the
// sanitizer build reports any read past them.
TEST(Utf, NeverReadsPastTheGivenUnits) {
  struct Case {
    std::string bytes;
    std::u16string expected;
  } cases[] = {
      {"\xE2\x82", u"\uFFFD"},     {"\xF0\x9F\x98", u"\uFFFD"},
      {"a\xC3", u"a\uFFFD"},       {"\xF0\x9F\x98\x80", u"\U0001F600"},
      {"\xE2\x82\xAC", u"\u20AC"},
  };
  for (const Case& c : cases) {
    char* block = static_cast<char*>(std::malloc(c.bytes.size()));
    std::memcpy(block, c.bytes.data(), c.bytes.size());
    char16_t out[8];
    EXPECT_EQ(Utf8ToUtf16(block, c.bytes.size(), out, 8), c.expected.size());
    EXPECT_EQ(std::u16string(out), c.expected);
    std::free(block);
  }
  // A high surrogate as the last unit, and a pair cut by the unit count.
  char16_t* units = static_cast<char16_t*>(std::malloc(2 * sizeof(char16_t)));
  units[0] = u'x';
  units[1] = 0xD83D;
  char out[8];
  EXPECT_EQ(Utf16ToUtf8(units, 2, out, 8), 4u);
  EXPECT_STREQ(out, "x\xEF\xBF\xBD");
  std::free(units);
  const char16_t pair[] = {0xD83D, 0xDE00, 0};
  EXPECT_EQ(Utf16ToUtf8(pair, 1, out, 8), 3u);
  EXPECT_STREQ(out, "\xEF\xBF\xBD");
  EXPECT_EQ(Utf8ToUtf16("abc", 2, nullptr, 0), 2u);
}

TEST(Utf, CapacityWritesWholeCharactersOnly) {
  const char16_t text[] = u"a\u20ACb";  // 1 + 3 + 1 bytes
  struct Case {
    Qword capacity;
    const char* expected;
  } cases[] = {{1, ""},
               {2, "a"},
               {4, "a"},
               {5, "a\xE2\x82\xAC"},
               {6,
                "a\xE2\x82\xAC"
                "b"}};
  for (const Case& c : cases) {
    char out[12];
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(Utf16ToUtf8(text, kNoIndex, out, c.capacity), 5u) << c.capacity;
    EXPECT_STREQ(out, c.expected);
    for (size_t i = c.capacity; i < sizeof out; ++i) ASSERT_EQ(out[i], '#') << c.capacity;
  }
  char out[4] = {'#', '#', '#', '#'};
  EXPECT_EQ(Utf16ToUtf8(text, kNoIndex, out, 0), 5u);
  EXPECT_EQ(out[0], '#');
  char16_t wide[3];
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80z", kNoIndex, wide, 2), 3u);
  EXPECT_EQ(wide[0], 0);  // the pair does not fit in one unit
  EXPECT_EQ(Utf8ToUtf16(nullptr, kNoIndex, wide, 3), 0u);
  EXPECT_EQ(wide[0], 0);
}

TEST(Utf, NewStrings) {
  EXPECT_EQ(NewUtf8FromUtf16(nullptr), nullptr);
  EXPECT_EQ(NewUtf16FromUtf8(nullptr), nullptr);
  char* empty = NewUtf8FromUtf16(u"");
  ASSERT_NE(empty, nullptr);
  EXPECT_STREQ(empty, "");
  KillStringA(&empty);
  AllocFailureGuard fail(0);
  EXPECT_EQ(NewUtf16FromUtf8("abc"), nullptr);
  fail.Release();
}
