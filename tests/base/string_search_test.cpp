#include "base/string_search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "text_test_util.h"

namespace {

struct CompareCase {
  const char* a;
  const char* b;
  Dword flags;
  char wildcard;
  Long expected;
};

const CompareCase kCompareCases[] = {
    {"abc", "abd", 0, 0, -1},   {"abd", "abc", 0, 0, 1},    {"ab", "abc", 0, 0, -1},
    {"abc", "ab", 0, 0, 1},     {"abc", "abc", 0, 0, 0},    {"ABC", "abc", 1, 0, 0},
    {"ABC", "abc", 0, 0, -1},   {"abc", "  abc", 2, 0, 0},  {"abc", "  abc", 0, 0, 1},
    {"  abc", "abc", 2, 0, 0},  {"abc", "abc  ", 4, 0, 0},  {"abc", "abc  ", 0, 0, -1},
    {"abc  ", "abc", 4, 0, 0},  {"abc  x", "abc", 4, 0, 1}, {"a?c", "abc", 0, '?', 0},
    {"abc", "a?c", 0, '?', 1},  {"a?", "a", 0, '?', 1},     {"", "", 0, 0, 0},
    {nullptr, "", 0, 0, 0},     {nullptr, "a", 0, 0, -1},   {"a", nullptr, 0, 0, 1},
    {"[", "a", 0, 0, -1},       {"[", "a", 1, 0, 1},  // '[' lies between 'Z' and 'a'
    {"  ", "x", 2, 0, -1},      {"  ", "  ", 2, 0, 0},      {" ab", " AB", 3, 0, 0},
    {"abc", "ABD  ", 5, 0, -1}, {"a\tb", "a b", 0, 0, -1},
};

}  // namespace

TEST(Compare, OptionTableInBothWidths) {
  for (const CompareCase& c : kCompareCases) {
    SCOPED_TRACE(testing::Message() << '"' << (c.a ? c.a : "null") << "\" vs \""
                                    << (c.b ? c.b : "null") << "\" flags " << c.flags);
    EXPECT_EQ(StringsCompareA(c.a, c.b, c.flags, c.wildcard), c.expected);
    const std::u16string a = c.a ? W(c.a) : u"", b = c.b ? W(c.b) : u"";
    EXPECT_EQ(StringsCompare(c.a ? a.c_str() : nullptr, c.b ? b.c_str() : nullptr, c.flags,
                             static_cast<char16_t>(c.wildcard)),
              c.expected);
  }
}

TEST(Compare, WideCodesUnsignedBytesSigned) {
  EXPECT_EQ(StringsCompare(u"\u00E9", u"z", 0, 0), 1);
  EXPECT_EQ(StringsCompareA("\xC3\xA9", "z", 0, 0), -1);
  // UTF-8 bytes are not blanks for the tail test.
  EXPECT_EQ(StringsCompareA("ab", "ab\xC3\xA9", 4, 0), -1);
  EXPECT_EQ(StringsCompareA("\xC3\xA9", "\xC3\xA9", 0, 0), 0);
}

namespace {

// The oracle: the first start p where every place matches, or npos.
template <class Ch>
size_t NaiveFind(const std::basic_string<Ch>& text, const std::basic_string<Ch>& pattern, bool fold,
                 Ch wildcard) {
  auto up = [](Ch c) { return c >= Ch('a') && c <= Ch('z') ? Ch(c - 32) : c; };
  if (pattern.empty()) return 0;
  for (size_t p = 0; p + pattern.size() <= text.size(); ++p) {
    size_t j = 0;
    for (; j < pattern.size(); ++j) {
      const Ch t = text[p + j], q = pattern[j];
      if (wildcard && q == wildcard) continue;
      if (fold ? up(t) != up(q) : t != q) break;
    }
    if (j == pattern.size()) return p;
  }
  return std::basic_string<Ch>::npos;
}

template <class Ch>
std::basic_string<Ch> RandomText(std::mt19937_64& rng, const std::basic_string<Ch>& alphabet,
                                 size_t max_length) {
  const size_t n = std::uniform_int_distribution<size_t>(0, max_length)(rng);
  std::basic_string<Ch> out;
  for (size_t i = 0; i < n; ++i)
    out.push_back(alphabet[std::uniform_int_distribution<size_t>(0, alphabet.size() - 1)(rng)]);
  return out;
}

// Offset of a result pointer, npos for null.
template <class Ch>
size_t Offset(const Ch* found, const std::basic_string<Ch>& text) {
  return found ? static_cast<size_t>(found - text.c_str()) : std::basic_string<Ch>::npos;
}

}  // namespace

TEST(Search, PlainAgreesWithNaiveSearch) {
  std::mt19937_64 rng(20261210);
  // Wide: 0x0161 and 0x0261 share the low byte of 'a', so their table
  // entries collide; the search must still never skip a match.
  const std::u16string wide_alphabet = u"ab\u0161\u0261c";
  const std::string alphabet = "abc\xE1";
  Qword table[256];
  for (int round = 0; round < 20000; ++round) {
    const std::string text = RandomText<char>(rng, alphabet, 40);
    const std::string pattern = RandomText<char>(rng, alphabet, 5);
    const size_t expected =
        text.size() < pattern.size() ? std::string::npos : NaiveFind(text, pattern, false, '\0');
    ASSERT_EQ(
        Offset<char>(StringLocateSubStringA(text.c_str(), pattern.c_str(), 0, 0, nullptr), text),
        expected)
        << text << " / " << pattern;
    if (!text.empty() && !pattern.empty()) {
      BmhSkipTableA(pattern.c_str(), pattern.size(), table);
      ASSERT_EQ(Offset<char>(StringLocateSubStringA(text.c_str(), pattern.c_str(), text.size(),
                                                    pattern.size(), table),
                             text),
                expected);
    }
    const std::u16string wt = RandomText<char16_t>(rng, wide_alphabet, 40);
    const std::u16string wp = RandomText<char16_t>(rng, wide_alphabet, 5);
    const size_t wexpected =
        wt.size() < wp.size() ? std::u16string::npos : NaiveFind(wt, wp, false, u'\0');
    ASSERT_EQ(Offset<char16_t>(StringLocateSubString(wt.c_str(), wp.c_str(), 0, 0, nullptr), wt),
              wexpected);
  }
}

TEST(Search, CaseAndWildcardAgreeWithNaiveSearch) {
  std::mt19937_64 rng(77);
  const std::string alphabet = "aAbB?";
  const std::u16string wide_alphabet = u"aAbB?\u0141";
  for (int round = 0; round < 40000; ++round) {
    const Dword flags = round & 1;
    const char wildcard = (round & 2) ? '?' : 0;
    const std::string text = RandomText<char>(rng, alphabet, 30);
    const std::string pattern = RandomText<char>(rng, alphabet, 6);
    size_t expected = NaiveFind(text, pattern, flags != 0, wildcard);
    if (text.empty() && !pattern.empty()) expected = std::string::npos;
    SCOPED_TRACE(testing::Message() << '"' << text << "\" / \"" << pattern << "\" flags " << flags
                                    << " wildcard " << int(wildcard));
    ASSERT_EQ(Offset<char>(StringLocateSubStringExA(text.c_str(), pattern.c_str(), 0, 0, flags,
                                                    wildcard, nullptr),
                           text),
              expected);
    const std::u16string wt = RandomText<char16_t>(rng, wide_alphabet, 30);
    const std::u16string wp = RandomText<char16_t>(rng, wide_alphabet, 6);
    const char16_t wwild = static_cast<char16_t>(wildcard);
    size_t wexpected = NaiveFind(wt, wp, flags != 0, wwild);
    if (wt.empty() && !wp.empty()) wexpected = std::u16string::npos;
    ASSERT_EQ(Offset<char16_t>(
                  StringLocateSubStringEx(wt.c_str(), wp.c_str(), 0, 0, flags, wwild, nullptr), wt),
              wexpected);
    // A table the caller built once from the same pattern gives the same.
    if (!pattern.empty() && wildcard == 0) {
      Qword table[256];
      BmhSkipTableExA(pattern.c_str(), pattern.size(), flags, 0, table);
      ASSERT_EQ(
          Offset<char>(
              StringLocateSubStringExA(text.c_str(), pattern.c_str(), 0, 0, flags, 0, table), text),
          expected);
    }
  }
}

// Long texts, where whole blocks of window starts are screened at once;
// matches near block edges and at the very end included.
TEST(Search, LongTextsAgreeWithNaiveSearch) {
  std::mt19937_64 rng(4242);
  for (int round = 0; round < 6000; ++round) {
    const Dword flags = round & 1;
    const char wildcard = (round & 2) ? '?' : 0;
    const std::string alphabet = (round & 4) ? "aAbB?[{" : "ab";
    std::string text = RandomText<char>(rng, std::string("aAbB[{"), 300);
    std::string pattern = RandomText<char>(rng, alphabet, 1 + round % 9);
    if (pattern.empty()) pattern = "a";
    if (round % 3 == 0 && text.size() >= pattern.size()) {  // plant a match
      const size_t at = std::uniform_int_distribution<size_t>(0, text.size() - pattern.size())(rng);
      for (size_t j = 0; j < pattern.size(); ++j)
        if (pattern[j] != '?') text[at + j] = pattern[j];
    }
    SCOPED_TRACE(testing::Message() << '"' << text << "\" / \"" << pattern << "\" flags " << flags
                                    << " wildcard " << int(wildcard));
    const size_t expected =
        text.empty() ? std::string::npos : NaiveFind(text, pattern, flags != 0, wildcard);
    ASSERT_EQ(Offset<char>(StringLocateSubStringExA(text.c_str(), pattern.c_str(), 0, 0, flags,
                                                    wildcard, nullptr),
                           text),
              expected);
    if (flags == 0 && wildcard == 0) {
      ASSERT_EQ(
          Offset<char>(StringLocateSubStringA(text.c_str(), pattern.c_str(), 0, 0, nullptr), text),
          expected);
    }
  }
}

TEST(Search, DocumentedCases) {
  const char* hello = "hello world";
  EXPECT_EQ(StringLocateSubStringA(hello, "world", 0, 0, nullptr), hello + 6);
  EXPECT_EQ(StringLocateSubStringA("aaa", "aaaa", 0, 0, nullptr), nullptr);
  EXPECT_EQ(StringLocateSubStringA(hello, "", 0, 0, nullptr), hello);
  EXPECT_EQ(StringLocateSubStringA(hello, nullptr, 0, 0, nullptr), hello);
  EXPECT_EQ(StringLocateSubStringA(nullptr, "a", 0, 0, nullptr), nullptr);
  const char* hw = "Hello World";
  EXPECT_EQ(StringLocateSubStringExA(hw, "WORLD", 0, 0, 1, 0, nullptr), hw + 6);
  EXPECT_EQ(StringLocateSubStringExA(hw, "WORLD", 0, 0, 0, 0, nullptr), nullptr);
  const char* abc = "abcdef";
  EXPECT_EQ(StringLocateSubStringExA(abc, "c?e", 0, 0, 0, '?', nullptr), abc + 2);
  EXPECT_EQ(StringLocateSubStringExA(abc, "??cd", 0, 0, 0, '?', nullptr), abc);
  EXPECT_EQ(StringLocateSubStringExA(abc, "???", 0, 0, 0, '?', nullptr), abc);
  EXPECT_EQ(StringLocateSubStringExA(abc, "???????", 0, 0, 0, '?', nullptr), nullptr);
  // The core "bc" first occurs at 1, too close to the start for three
  // leading wildcards; the first full match starts at 3.
  const char* rep = "abcabcx";
  EXPECT_EQ(StringLocateSubStringExA(rep, "???bc", 0, 0, 0, '?', nullptr), rep + 1);
  EXPECT_EQ(StringLocateSubStringExA(rep, "????bc", 0, 0, 0, '?', nullptr), rep);
  EXPECT_EQ(StringLocateSubStringExA("abcab", "bc???", 0, 0, 0, '?', nullptr), nullptr);
  EXPECT_EQ(StringLocateSubStringExA("", "a", 0, 0, 0, 0, nullptr), nullptr);
  // An explicit text length bounds the search.
  EXPECT_EQ(StringLocateSubStringA(hello, "world", 8, 0, nullptr), nullptr);
}

TEST(Search, SkipTables) {
  Qword table[256];
  EXPECT_EQ(BmhSkipTableA("abcab", 5, table), table);
  for (int c = 0; c < 256; ++c) {
    const Qword expected = c == 'a' ? 1 : c == 'b' ? 0 : c == 'c' ? 2 : 5;
    ASSERT_EQ(table[c], expected) << c;
  }
  BmhSkipTableExA("aXb", 3, 1, 0, table);
  EXPECT_EQ(table['a'], 2u);
  EXPECT_EQ(table['A'], 2u);
  EXPECT_EQ(table['x'], 1u);
  EXPECT_EQ(table['B'], 0u);
  EXPECT_EQ(table['q'], 3u);
  BmhSkipTableExA("ab?cd", 5, 0, '?', table);
  EXPECT_EQ(table['q'], 2u);  // nothing shifts past the wildcard
  EXPECT_EQ(table['a'], 2u);
  EXPECT_EQ(table['c'], 1u);
  EXPECT_EQ(table['d'], 0u);
  const char16_t wide[] = {0x0141, u'A', 0};
  BmhSkipTable(wide, 2, table);
  EXPECT_EQ(table[0x41], 0u);  // both share the low byte 0x41
  EXPECT_EQ(table[0x42], 2u);
  EXPECT_EQ(BmhSkipTableA("a", 1, nullptr), nullptr);
}

TEST(Search, DeleteSubString) {
  char text[] = "one two three two";
  EXPECT_TRUE(StringDeleteSubStringA(text, "two ", 0, 0, nullptr));
  EXPECT_STREQ(text, "one three two");
  EXPECT_FALSE(StringDeleteSubStringA(text, "four", 0, 0, nullptr));
  EXPECT_FALSE(StringDeleteSubStringA(text, "", 0, 0, nullptr));
  EXPECT_STREQ(text, "one three two");
  EXPECT_TRUE(StringDeleteSubStringA(text, "two", 0, 0, nullptr));
  EXPECT_STREQ(text, "one three ");
  char16_t wide[] = u"abcabc";
  EXPECT_TRUE(StringDeleteSubString(wide, u"ca", 0, 0, nullptr));
  EXPECT_EQ(N(wide), "abbc");
  EXPECT_FALSE(StringDeleteSubStringA(nullptr, "a", 0, 0, nullptr));
}
