#include "base/strings.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "support/alloc_failure.h"
#include "text_test_util.h"

// The C library's classification in the "C" locale is the oracle for the
// ASCII codes; nothing from 128 up is a letter or digit.
TEST(Chars, ClassificationAgreesWithCLocaleOverAllCodes) {
  for (Dword c = 0; c <= 0xFFFF; ++c) {
    const char16_t w = static_cast<char16_t>(c);
    const bool ascii = c < 128;
    const int b = static_cast<int>(c);
    SCOPED_TRACE(c);
    ASSERT_EQ(chIsAnyLetter(w), ascii && std::isalpha(b) != 0);
    ASSERT_EQ(chIsCapLetter(w), ascii && std::isupper(b) != 0);
    ASSERT_EQ(chIsSmallLetter(w), ascii && std::islower(b) != 0);
    ASSERT_EQ(chIsDecDigit(w), ascii && std::isdigit(b) != 0);
    ASSERT_EQ(chIsHexDigit(w), ascii && std::isxdigit(b) != 0);
    ASSERT_EQ(chIsOctalDigit(w), ascii && std::isdigit(b) && c < '8');
    ASSERT_EQ(chIsBinaryDigit(w), c == '0' || c == '1');
    ASSERT_EQ(chToUcase(w), ascii ? std::toupper(b) : b);
    ASSERT_EQ(chToLcase(w), ascii ? std::tolower(b) : b);
    const Qlong digit =
        ascii && std::isxdigit(b) ? std::stoi(std::string(1, char(c)), nullptr, 16) : -1;
    ASSERT_EQ(chHexToDigit(w), digit);
  }
  for (int c = 0; c < 256; ++c) {
    const char a = static_cast<char>(c);
    SCOPED_TRACE(c);
    ASSERT_EQ(static_cast<unsigned char>(chToUcaseA(a)), c < 128 ? std::toupper(c) : c);
    ASSERT_EQ(static_cast<unsigned char>(chToLcaseA(a)), c < 128 ? std::tolower(c) : c);
    ASSERT_EQ(chHexToDigitA(a), chHexToDigit(static_cast<char16_t>(c)));
  }
}

TEST(Chars, DigitToHexUsesTheLowFourBitsInUpperCase) {
  const char* digits = "0123456789ABCDEF";
  for (Qword v :
       {Qword{0}, Qword{9}, Qword{10}, Qword{15}, Qword{16}, Qword{0x1234567B}, ~Qword{0}}) {
    EXPECT_EQ(chDigitToHexA(v), digits[v & 15]);
    EXPECT_EQ(chDigitToHex(v), static_cast<char16_t>(digits[v & 15]));
    EXPECT_EQ(chHexToDigitA(chDigitToHexA(v)), static_cast<Qlong>(v & 15));
  }
  char a[2] = {'x', 'x'};
  char16_t w[2] = {u'x', u'x'};
  EXPECT_EQ(chToStringBufferA(a, 'q'), a);
  EXPECT_STREQ(a, "q");
  EXPECT_EQ(chToStringBuffer(w, u'q'), w);
  EXPECT_EQ(w[0], u'q');
  EXPECT_EQ(w[1], 0);
  EXPECT_EQ(chToStringBufferA(nullptr, 'q'), nullptr);
}

TEST(NewStrings, FilledAndEmptyOfGivenCapacity) {
  EXPECT_EQ(Take(NewStringA(3, 'x')), "xxx");
  EXPECT_EQ(Take(NewString(3, u'x')), "xxx");
  EXPECT_EQ(Take(NewStringA(0, 'x')), "");
  // Fill 0: an empty text with room for 3 characters and the terminator
  // (the sanitizer build checks the room).
  char* a = NewStringA(3, 0);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a[0], 0);
  std::memcpy(a, "abc", 4);
  KillStringA(&a);
  EXPECT_EQ(a, nullptr);
  EXPECT_EQ(NewStringA(kNoIndex, 'x'), nullptr);  // no room for the terminator
  EXPECT_EQ(NewString(kNoIndex / 2, u'x'), nullptr);
}

TEST(NewStrings, CopyOfInclusiveRange) {
  struct Case {
    const char* text;
    Qword first, last;
    const char* expected;
  } cases[] = {
      {"hello", 1, kNoIndex, "ello"},
      {"hello", 3, 1, ""},
      {nullptr, 0, 5, ""},
      {"", 0, 0, ""},
      {"hello", 0, 0, "h"},
      {"hello", 1, 3, "ell"},
      {"hello", 4, 99, "o"},
      {"hello", 5, 9, ""},
      {"hello", kNoIndex, kNoIndex, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text ? c.text : "null");
    EXPECT_EQ(Take(NewCopyStringA(c.text, c.first, c.last)), c.expected);
    const std::u16string w = c.text ? W(c.text) : u"";
    EXPECT_EQ(Take(NewCopyString(c.text ? w.c_str() : nullptr, c.first, c.last)), c.expected);
  }
}

TEST(NewStrings, CopyWithExtraRoom) {
  char* a = NewCopyStringExA("abc", 4);
  ASSERT_NE(a, nullptr);
  EXPECT_STREQ(a, "abc");
  std::memcpy(a + 3, "defg", 5);  // fills the whole capacity of 3 + 4 + 1
  EXPECT_STREQ(a, "abcdefg");
  KillStringA(&a);
  char16_t* w = NewCopyStringEx(nullptr, 2);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w[0], 0);
  w[0] = u'a';
  w[1] = u'b';
  w[2] = 0;
  KillString(&w);
  EXPECT_EQ(NewCopyStringExA("abc", kNoIndex - 1), nullptr);  // size wraps
}

TEST(NewStrings, WidenAndNarrowMoveCodeUnits) {
  const char bytes[] = {'a', '\xE9', '\x80', '\x7F', 0};
  char16_t* w = NewCopyStringAW(bytes);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(std::u16string(w), (std::u16string{u'a', 0xFFE9, 0xFF80, 0x7F}));
  char* back = NewCopyStringWA(w);
  EXPECT_STREQ(back, bytes);
  KillStringA(&back);
  KillString(&w);
  const char16_t wide[] = {0x1234, 0x41, 0xFF00, 0};
  char* narrow = NewCopyStringWA(wide);
  ASSERT_NE(narrow, nullptr);
  EXPECT_EQ(std::memcmp(narrow, "\x34\x41\0\0", 4), 0);  // 0xFF00 keeps its low byte 0
  KillStringA(&narrow);
  EXPECT_EQ(NewCopyStringAW(nullptr), nullptr);
  EXPECT_EQ(NewCopyStringWA(nullptr), nullptr);
}

TEST(NewStrings, ConcatOfPieces) {
  EXPECT_EQ(Take(NewStringsConcatA(3, "a", static_cast<const char*>(nullptr), "bc")), "abc");
  EXPECT_EQ(Take(NewStringsConcat(3, u"a", static_cast<const char16_t*>(nullptr), u"bc")), "abc");
  EXPECT_EQ(Take(NewStringsConcatA(0)), "");
  EXPECT_EQ(Take(NewStringsConcatA(2, "", "")), "");
  // More pieces than any fixed table would hold.
  char* many = NewStringsConcatA(
      120, "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "1", "2", "3", "4", "5", "6", "7",
      "8", "9", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "1", "2", "3", "4", "5", "6",
      "7", "8", "9", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "1", "2", "3", "4", "5",
      "6", "7", "8", "9", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "1", "2", "3", "4",
      "5", "6", "7", "8", "9", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "1", "2", "3",
      "4", "5", "6", "7", "8", "9", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "1", "2",
      "3", "4", "5", "6", "7", "8", "9");
  std::string digits;
  for (int i = 0; i < 120; ++i) digits += char('0' + i % 10);
  EXPECT_EQ(Take(many), digits);
}

TEST(NewStrings, AllocationFailureGivesNull) {
  AllocFailureGuard fail(0);
  EXPECT_EQ(NewStringA(3, 'x'), nullptr);
  EXPECT_EQ(NewCopyString(u"abc", 0, kNoIndex), nullptr);
  EXPECT_EQ(NewStringsConcatA(1, "a"), nullptr);
  EXPECT_EQ(NewCopyStringAW("a"), nullptr);
  fail.Release();
}

// A guard after the capacity shows any write beyond it.
TEST(Buffers, CopyNeverWritesBeyondCapacity) {
  struct Case {
    const char* text;
    Qword capacity;
    Qword copied;
    const char* expected;  // null: buffer untouched
  } cases[] = {
      {"hello", 3, 2, "he"},     {"hello", 0, 0, nullptr},
      {nullptr, 5, 0, ""},       {"", 5, 0, ""},
      {"hello", 1, 0, ""},       {"hello", 6, 5, "hello"},
      {"hello", 99, 5, "hello"}, {"hello", kNoIndex, 5, "hello"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.text ? c.text : "null") << " cap " << c.capacity);
    const size_t room = c.capacity > 16 ? 16 : static_cast<size_t>(c.capacity);
    char a[20];
    char16_t w[20];
    char wa[20];
    char16_t aw[20];
    std::memset(a, '#', sizeof a);
    std::fill(std::begin(w), std::end(w), u'#');
    std::memset(wa, '#', sizeof wa);
    std::fill(std::begin(aw), std::end(aw), u'#');
    const std::u16string wide = c.text ? W(c.text) : u"";
    const char16_t* wt = c.text ? wide.c_str() : nullptr;
    EXPECT_EQ(StringToBufferA(c.text, a, c.capacity), c.copied);
    EXPECT_EQ(StringToBuffer(wt, w, c.capacity), c.copied);
    EXPECT_EQ(StringToBufferWA(wt, wa, c.capacity), c.copied);
    EXPECT_EQ(StringToBufferAW(c.text, aw, c.capacity), c.copied);
    if (c.expected) {
      EXPECT_STREQ(a, c.expected);
      EXPECT_STREQ(wa, c.expected);
      EXPECT_EQ(N(w), c.expected);
      EXPECT_EQ(N(aw), c.expected);
    }
    for (size_t i = c.expected ? std::strlen(c.expected) + 1 : 0; i < 20; ++i) {
      if (i < room && c.expected) continue;  // inside the capacity: free to use
      ASSERT_EQ(a[i], '#') << i;
      ASSERT_EQ(w[i], u'#') << i;
      ASSERT_EQ(wa[i], '#') << i;
      ASSERT_EQ(aw[i], u'#') << i;
    }
  }
  EXPECT_EQ(StringToBufferA("abc", nullptr, 5), 0u);
  EXPECT_EQ(StringToBufferWA(u"abc", nullptr, 5), 0u);
  EXPECT_EQ(StringToBufferAW("abc", nullptr, 5), 0u);
}

TEST(Buffers, WideningTakesBytesAsSigned) {
  char16_t w[4];
  EXPECT_EQ(StringToBufferAW("\xE9z", w, 4), 2u);
  EXPECT_EQ(w[0], 0xFFE9);
  EXPECT_EQ(w[1], u'z');
  char a[4];
  const char16_t wide[] = {0x20AC, 0};
  EXPECT_EQ(StringToBufferWA(wide, a, 4), 1u);
  EXPECT_EQ(a[0], '\xAC');
}

TEST(Buffers, SectionCopy) {
  struct Case {
    Qword first, last, capacity, copied;
    const char* expected;
  } cases[] = {
      {1, 3, 10, 3, "ell"},      {kNoIndex, 1, 10, 2, "he"}, {2, kNoIndex, 10, 3, "llo"},
      {2, 99, 10, 3, "llo"},     {5, 9, 10, 0, ""},          {3, 2, 10, 0, ""},
      {0, kNoIndex, 3, 2, "he"}, {1, 1, 10, 1, "e"},         {0, 4, kNoIndex, 5, "hello"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.first << ".." << c.last << " cap " << c.capacity);
    char a[16];
    char16_t w[16];
    std::memset(a, '#', sizeof a);
    EXPECT_EQ(StringSectionToBufferA("hello", c.first, c.last, a, c.capacity), c.copied);
    EXPECT_EQ(StringSectionToBuffer(u"hello", c.first, c.last, w, c.capacity), c.copied);
    EXPECT_STREQ(a, c.expected);
    EXPECT_EQ(N(w), c.expected);
    EXPECT_EQ(a[std::strlen(c.expected) + 1], '#');
  }
  char a[4] = {'#', '#', '#', '#'};
  EXPECT_EQ(StringSectionToBufferA("hello", 0, 3, a, 0), 0u);
  EXPECT_EQ(a[0], '#');
  EXPECT_EQ(StringSectionToBufferA(nullptr, 0, 3, a, 4), 0u);
  EXPECT_EQ(a[0], 0);
}

TEST(HeapStrings, Append) {
  char* s = nullptr;
  EXPECT_STREQ(StringAppendA(&s, "x"), "x");
  const char* before = s;
  EXPECT_EQ(StringAppendA(&s, ""), before);  // nothing changes
  EXPECT_EQ(StringAppendA(&s, nullptr), before);
  EXPECT_STREQ(StringAppendA(&s, "yz"), "xyz");
  // The text may be a piece of the held string itself.
  EXPECT_STREQ(StringAppendA(&s, s + 1), "xyzyz");
  KillStringA(&s);
  s = NewStringA(0, 0);
  EXPECT_STREQ(StringAppendA(&s, "ab"), "ab");
  KillStringA(&s);
  EXPECT_EQ(StringAppendA(nullptr, "a"), nullptr);

  char16_t* w = nullptr;
  StringAppend(&w, u"ab");
  StringAppend(&w, u"c");
  EXPECT_EQ(Take(w), "abc");
}

TEST(HeapStrings, AppendFailureReleasesAndStoresNull) {
  char* s = NewCopyStringA("ab", 0, kNoIndex);
  AllocFailureGuard fail(0);
  EXPECT_EQ(StringAppendA(&s, "c"), nullptr);
  fail.Release();
  EXPECT_EQ(s, nullptr);  // the sanitizer build reports a leak if "ab" was kept
}

TEST(HeapStrings, Replace) {
  char* s = nullptr;
  EXPECT_STREQ(StringReplaceA(&s, "abc"), "abc");
  EXPECT_EQ(StringReplaceA(&s, s), s);
  EXPECT_STREQ(StringReplaceA(&s, s + 1), "bc");  // copied before the release
  EXPECT_STREQ(StringReplaceA(&s, nullptr), "");
  KillStringA(&s);
  char16_t* w = nullptr;
  StringReplace(&w, u"xy");
  EXPECT_EQ(Take(w), "xy");
  EXPECT_EQ(StringReplaceA(nullptr, "a"), nullptr);
}

TEST(HeapStrings, EnforceLastChr) {
  struct Case {
    const char* held;
    char c;
    const char* expected;
  } cases[] = {
      {"a, ", ',', "a, "},
      {"a ", ';', "a;"},
      {"a", ';', "a;"},
      {"a;", ';', "a;"},
      {"a  \t", ';', "a; \t"},
      {"", ';', ";"},
      {"  ", ';', "  ;"},
      {nullptr, ';', ";"},
      {"M\xC3\xBC", ';', "M\xC3\xBC;"},  // bytes of UTF-8 are no blanks
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.held ? c.held : "null");
    char* s = c.held ? NewCopyStringA(c.held, 0, kNoIndex) : nullptr;
    StringEnforceLastChrA(&s, c.c);
    EXPECT_EQ(Take(s), c.expected);
    std::u16string held = c.held ? W(c.held) : u"";
    char16_t* w = c.held ? NewCopyString(held.c_str(), 0, kNoIndex) : nullptr;
    StringEnforceLastChr(&w, static_cast<char16_t>(static_cast<unsigned char>(c.c)));
    EXPECT_EQ(Take(w), c.expected);
  }
}

// Counter strings enumerate the bijective base-26 numerals: "A" is 1,
// "Z" 26, "AA" 27 and so on.
static std::string Bijective26(Qword n) {
  std::string out;
  while (n) {
    --n;
    out.insert(out.begin(), char('A' + n % 26));
    n /= 26;
  }
  return out;
}

TEST(HeapStrings, NextAlphaCountIsBijectiveBase26) {
  char* s = nullptr;
  char16_t* w = nullptr;
  for (Qword n = 1; n <= 20000; ++n) {
    StringNextAlphaCountA(&s);
    StringNextAlphaCount(&w);
    ASSERT_STREQ(s, Bijective26(n).c_str());
    ASSERT_EQ(N(w), Bijective26(n));
  }
  KillStringA(&s);
  KillString(&w);
  struct Case {
    const char* held;
    const char* expected;
  } cases[] = {{"", "A"}, {"Z", "AA"}, {"AZ", "BA"}, {"ZZ", "AAA"}, {"A1", "A2"}, {"az", "AAA"}};
  for (const Case& c : cases) {
    char* t = NewCopyStringA(c.held, 0, kNoIndex);
    StringNextAlphaCountA(&t);
    EXPECT_EQ(Take(t), c.expected) << c.held;
  }
  EXPECT_EQ(StringNextAlphaCountA(nullptr), nullptr);
}

TEST(Queries, LengthEmptinessAndCharacters) {
  EXPECT_EQ(StringLenA(nullptr), 0u);
  EXPECT_EQ(StringLen(nullptr), 0u);
  EXPECT_EQ(StringLenA("hello"), 5u);
  EXPECT_EQ(StringLen(u"h\u00E9llo"), 5u);
  EXPECT_TRUE(StringIsEmptyA(nullptr));
  EXPECT_TRUE(StringIsEmptyA(" \t\r\n"));
  EXPECT_FALSE(StringIsEmptyA(" x "));
  EXPECT_FALSE(StringIsEmptyA("\xC3\xA9"));  // "é" in UTF-8 is text
  EXPECT_TRUE(StringIsEmpty(u" \t"));
  EXPECT_FALSE(StringIsEmpty(u" \u00A0"));
  EXPECT_EQ(StringCharCountA("banana", 'a'), 3u);
  EXPECT_EQ(StringCharCount(u"banana", u'n'), 2u);
  EXPECT_EQ(StringCharCountA(nullptr, 'a'), 0u);
  EXPECT_EQ(StringCharCountA("ab", 0), 0u);
  EXPECT_TRUE(StringIsChrPresentA("abc", 'c'));
  EXPECT_FALSE(StringIsChrPresent(u"abc", u'd'));
  EXPECT_EQ(StringIndex1stChrA("banana", 'a'), 1u);
  EXPECT_EQ(StringIndexLastChrA("banana", 'a'), 5u);
  EXPECT_EQ(StringIndex1stChr(u"banana", u'x'), kNoIndex);
  EXPECT_EQ(StringIndexLastChr(nullptr, u'a'), kNoIndex);
}

TEST(Queries, NonWhiteIndices) {
  EXPECT_EQ(StringIndex1stNonWhiteA("  ab "), 2u);
  EXPECT_EQ(StringIndexLastNonWhiteA("  ab "), 3u);
  EXPECT_EQ(StringIndex1stNonWhiteA("   "), kNoIndex);
  EXPECT_EQ(StringIndexLastNonWhiteA(nullptr), kNoIndex);
  EXPECT_EQ(StringIndex1stNonWhite(u"\t x"), 2u);
  EXPECT_EQ(StringIndexLastNonWhite(u"x\x1F"), 0u);
  // UTF-8 bytes are characters in both directions.
  EXPECT_EQ(StringIndexLastNonWhiteA("ab\xE9"), 2u);
  EXPECT_EQ(StringIndex1stNonWhiteA("\xE9"
                                    "ab"),
            0u);
  EXPECT_EQ(StringIndexLastNonWhiteA("ab\xC3\xA9 "), 3u);
}

TEST(Queries, IndexOfCharSets) {
  struct Case {
    const char* text;
    const char* set;
    Qword first, last;
    char first_found, last_found;
  } cases[] = {
      {"a,b;c", ",;", 1, 3, ',', ';'},
      {"abc", "xyz", kNoIndex, kNoIndex, 0, 0},
      {"abc", "", kNoIndex, kNoIndex, 0, 0},
      {"abc", nullptr, kNoIndex, kNoIndex, 0, 0},
      {"", ",", kNoIndex, kNoIndex, 0, 0},
      {nullptr, ",", kNoIndex, kNoIndex, 0, 0},
      {",", ",", 0, 0, ',', ','},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text ? c.text : "null");
    char found = 'x';
    EXPECT_EQ(StringIndex1stOfCharsA(c.text, c.set, &found), c.first);
    EXPECT_EQ(found, c.first_found);
    found = 'x';
    EXPECT_EQ(StringIndexLastOfCharsA(c.text, c.set, &found), c.last);
    EXPECT_EQ(found, c.last_found);
    const std::u16string wt = c.text ? W(c.text) : u"";
    const std::u16string ws = c.set ? W(c.set) : u"";
    char16_t wfound = u'x';
    EXPECT_EQ(
        StringIndex1stOfChars(c.text ? wt.c_str() : nullptr, c.set ? ws.c_str() : nullptr, &wfound),
        c.first);
    EXPECT_EQ(wfound, static_cast<char16_t>(c.first_found));
    EXPECT_EQ(StringIndexLastOfChars(c.text ? wt.c_str() : nullptr, c.set ? ws.c_str() : nullptr,
                                     nullptr),
              c.last);
  }
}

TEST(Queries, ReplaceChrByChr) {
  char a[] = "a.b.c";
  EXPECT_EQ(StringReplaceChrByChrA(a, '.', '/'), a);
  EXPECT_STREQ(a, "a/b/c");
  char16_t w[] = u"a.b.c";
  StringReplaceChrByChr(w, u'.', 0);
  EXPECT_EQ(w[1], 0);
  EXPECT_EQ(w[3], 0);  // every occurrence, not only up to the first
  EXPECT_EQ(StringReplaceChrByChrA(nullptr, 'a', 'b'), nullptr);
}

TEST(Queries, StartsAndEndsWith) {
  struct Case {
    const char* text;
    const char* affix;
    Dword skip;
    bool starts, ends;
  } cases[] = {
      {"abc", "abc", 0, true, true},      {"abc", "bc", 0, false, true},
      {"bc", "abc", 0, false, false},     {"", "a", 0, false, false},
      {"abc", "", 0, true, true},         {"abc", nullptr, 0, true, true},
      {nullptr, "a", 0, false, false},    {nullptr, "", 0, false, false},
      {"  ab", "ab", 1, true, true},      {"  ab", "ab", 0, false, true},
      {"  ab", "ab", 0x100, false, true},  // only the low byte of the flag counts
      {"ab", "abc", 0, false, false},     {"abc", "ab", 0, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << (c.text ? c.text : "null") << " / " << (c.affix ? c.affix : "null"));
    EXPECT_EQ(StringStartsWithA(c.text, c.affix, c.skip), c.starts);
    EXPECT_EQ(StringEndsWithA(c.text, c.affix), c.ends);
    const std::u16string wt = c.text ? W(c.text) : u"";
    const std::u16string wa = c.affix ? W(c.affix) : u"";
    const char16_t* t = c.text ? wt.c_str() : nullptr;
    const char16_t* f = c.affix ? wa.c_str() : nullptr;
    EXPECT_EQ(StringStartsWith(t, f, c.skip), c.starts);
    EXPECT_EQ(StringEndsWith(t, f), c.ends);
  }
}
