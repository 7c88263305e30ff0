#include "base/string_groom.h"

#include <gtest/gtest.h>

#include <string>

#include "text_test_util.h"

namespace {

struct GroomCase {
  const char* text;
  GroomFlags flags;
  const char* expected;
  bool both_widths;  // false: the row holds 8-bit-only behaviour
};

const char kSpaced[] = "  a\t  b  ";

const GroomCase kGroomCases[] = {
    {kSpaced, 0, "a b", true},
    {kSpaced, 0x2, " a b", true},
    {kSpaced, 0x80, "a\t b", true},  // the tab stays and is no blank for the run test
    {kSpaced, 0x104, "A B ", true},
    {kSpaced, 0x8, "a   b", true},
    {kSpaced, 0x4, "a b ", true},
    {kSpaced, 0x8000, kSpaced, true},
    {kSpaced, 0x1A, "  a\t  b", true},  // no compaction, trailing blanks still go
    {kSpaced, 0x1E, kSpaced, true},
    {"x\r\ny", 0, "x y", true},
    {"x\r\ny", 0x60, "x\r\ny", true},
    {"x\r\ny", 0x20, "x\r y", true},
    {"x\r\ny", 0x10, "x\r\ny", true},
    {"x\x01\x02y", 0x8, "x  y", true},
    {"\r\n x", 0x20, "x", true},  // kept controls are still leading blanks
    {"\r\n x", 0x22, "\r x", true},
    {"AbC", 0x200, "abc", true},
    {"AbC", 0x300, "ABC", true},
    {"ab\n", 0x40, "ab", true},
    {"ab\n", 0x44, "ab\n", true},
    {"a \t b", 0x80, "a \t b", true},
    {"   ", 0, "", true},
    {"", 0, "", true},
    {"\xC3\xA9t\xC3\xA9 ", 0, "\xC3\xA9t\xC3\xA9", false},  // UTF-8 survives
    {"M\xC3\xBCller\xC2\xA0", 0x100, "M\xC3\xBCLLER\xC2\xA0", false},
    {"\xC3\xA9", 0x1, "C)", false},  // bit 7 cleared on request
};

}  // namespace

TEST(Groom, FlagTableInBothWidths) {
  for (const GroomCase& c : kGroomCases) {
    SCOPED_TRACE(testing::Message() << '"' << c.text << "\" flags 0x" << std::hex << c.flags);
    std::string a = c.text;
    EXPECT_EQ(StringGroomA(a.data(), c.flags), a.data());
    EXPECT_STREQ(a.c_str(), c.expected);
    if (c.both_widths) {
      std::u16string w = W(c.text);
      EXPECT_EQ(StringGroom(w.data(), c.flags), w.data());
      EXPECT_EQ(N(w.c_str()), c.expected);
    }
  }
  EXPECT_EQ(StringGroomA(nullptr, 0), nullptr);
}

TEST(Groom, WideKeepsItsOwnRules) {
  std::u16string w = u"\u00E9\u2003x ";  // flag 0x1 is 8-bit only; wide codes above 32 are text
  StringGroom(w.data(), 0x1);
  EXPECT_EQ(std::u16string(w.c_str()), u"\u00E9\u2003x");
}

TEST(Comments, CutAtFirstMarker) {
  std::string a = "x = 1 // note // more";
  EXPECT_STREQ(StringCutoffCommentsA(a.data(), "//", 0), "x = 1 ");
  std::string b = "a/b";
  EXPECT_STREQ(StringCutoffCommentsA(b.data(), "//", 0), "a/b");
  std::string c = "abc";
  EXPECT_STREQ(StringCutoffCommentsA(c.data(), "", 0), "abc");
  EXPECT_STREQ(StringCutoffCommentsA(c.data(), nullptr, 0), "abc");
  EXPECT_EQ(StringCutoffCommentsA(nullptr, "//", 0), nullptr);
  std::u16string w = u"t; rest";
  EXPECT_EQ(N(StringCutoffComments(w.data(), u";", 0)), "t");
}

TEST(Escapes, RestoreTable) {
  struct Case {
    const char* text;
    std::string expected8;
    std::u16string expected16;
  } cases[] = {
      {"\\nA", "\nA", u"\nA"},
      {"\\101z", "Az", u"Az"},
      {"\\x41!", "A!", u"A!"},
      {"\\q", "q", u"q"},
      {"ab\\", "ab", u"ab"},
      {"\\a\\b\\e\\f\\l\\v\\r\\t", "\x07\x08\x1B\x0C\x10\x0B\r\t", u"\x07\x08\x1B\x0C\x10\x0B\r\t"},
      {"\\\"\\'\\?\\\\", "\"'?\\", u"\"'?\\"},
      {"\\1234", "S4", u"S4"},  // at most three octal digits
      {"\\8", "8", u"8"},
      {"\\x", "x", u"x"},
      {"\\xZ", "xZ", u"xZ"},
      {"\\u20AC.", "\xAC.", u"\u20AC."},  // truncated to the character width
      {"\\x1F600", "\x00", std::u16string(1, char16_t(0xF600))},
      {"\\777", "\xFF", u"\u01FF"},
      {"plain", "plain", u"plain"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::string a = c.text;
    StringRestoreEscapesA(a.data());
    EXPECT_EQ(std::string(a.c_str()), std::string(c.expected8.c_str()));
    std::u16string w = W(c.text);
    StringRestoreEscapes(w.data());
    EXPECT_EQ(std::u16string(w.c_str()), c.expected16);
  }
  EXPECT_EQ(StringRestoreEscapesA(nullptr), nullptr);
}
