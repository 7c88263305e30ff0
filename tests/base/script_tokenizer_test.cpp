#include "base/script_tokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text_test_util.h"

namespace {

struct Token {
  std::string text;
  ScriptTokenKind kind;
  bool operator==(const Token& o) const { return text == o.text && kind == o.kind; }
};
std::ostream& operator<<(std::ostream& os, const Token& t) {
  return os << '(' << t.text << ", " << t.kind << ')';
}

// Walks the text as a caller does, up to and including the end token, in
// both widths; the two walks must agree for ASCII lines.
std::vector<Token> Walk(const std::string& line, bool cap = false, bool ascii = true) {
  std::vector<Token> narrow, wide;
  const char* a = line.c_str();
  std::string buffer(line.size() + 1, '#');
  for (int guard = 0; guard < 100; ++guard) {
    Qword used = 12345;
    const ScriptTokenKind kind =
        cap ? ScriptParserCapA(buffer.data(), a, &used) : ScriptParserA(buffer.data(), a, &used);
    narrow.push_back({buffer.c_str(), kind});
    if (kind == kTokenEnd) {
      EXPECT_EQ(a[used], 0);
      break;
    }
    EXPECT_GT(used, 0u);
    a += used;
  }
  const std::u16string wline = W(line.c_str());
  const char16_t* w = wline.c_str();
  std::u16string wbuffer(wline.size() + 1, u'#');
  for (int guard = 0; guard < 100; ++guard) {
    Qword used = 0;
    const ScriptTokenKind kind =
        cap ? ScriptParserCap(wbuffer.data(), w, &used) : ScriptParser(wbuffer.data(), w, &used);
    wide.push_back({N(wbuffer.c_str()), kind});
    if (kind == kTokenEnd) break;
    w += used;
  }
  if (ascii) {
    EXPECT_EQ(narrow, wide);
  }
  return narrow;
}

}  // namespace

TEST(Tokenizer, Cases) {
  struct Case {
    const char* line;
    bool cap;
    std::vector<Token> tokens;
  } cases[] = {
      {"abc12 + 3", false, {{"abc12", 4}, {"+", 2}, {"3", 128}, {"", 1}}},
      {"5-3", false, {{"5", 128}, {"-3", 128}, {"", 1}}},
      {"a - b", false, {{"a", 4}, {"-", 2}, {"b", 4}, {"", 1}}},
      {"-.5e-3x", false, {{"-.5e-3", 128}, {"x", 4}, {"", 1}}},
      {"12east", false, {{"12e", 128}, {"ast", 4}, {"", 1}}},
      {".x", false, {{".", 2}, {"x", 4}, {"", 1}}},
      {"1.2.3", false, {{"1.2", 128}, {".3", 128}, {"", 1}}},
      {"7.", false, {{"7.", 128}, {"", 1}}},
      {"1E+", false, {{"1E+", 128}, {"", 1}}},
      {"-", false, {{"-", 2}, {"", 1}}},
      {"-.", false, {{"-", 2}, {".", 2}, {"", 1}}},
      {"x\"a b\"y", false, {{"x", 4}, {"a b", 8}, {"y", 4}, {"", 1}}},
      {"\"say \\\"hi\\\" now\"", false, {{"say \"hi\" now", 8}, {"", 1}}},
      {"\"t\\tn\\nq\\q\"",
       false,
       {{"t\tn\nq"
         "q",
         8},
        {"", 1}}},
      {"\"open end", false, {{"open end", 8}, {"", 1}}},
      {"\"ends\\", false, {{"ends", 8}, {"", 1}}},
      {"\"\"", false, {{"", 8}, {"", 1}}},
      {"   \t ", false, {{"", 1}}},
      {"", false, {{"", 1}}},
      {"abc12 \"abc\" 1e5 x", true, {{"ABC12", 4}, {"abc", 8}, {"1E5", 128}, {"X", 4}, {"", 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(Walk(c.line, c.cap), c.tokens);
  }
}

TEST(Tokenizer, ConsumedCounts) {
  char token[16];
  Qword used = 0;
  EXPECT_EQ(ScriptParserA(token, "abc12 + 3", &used), kTokenIdentifier);
  EXPECT_EQ(used, 5u);
  EXPECT_EQ(ScriptParserA(token, "  \"q\" r", &used), kTokenString);
  EXPECT_EQ(used, 5u);  // just after the closing quote
  EXPECT_EQ(ScriptParserA(token, "   ", &used), kTokenEnd);
  EXPECT_EQ(used, 3u);  // at the terminator
  EXPECT_EQ(ScriptParserA(token, nullptr, &used), kTokenEnd);
  EXPECT_EQ(used, 0u);
  EXPECT_EQ(ScriptParserA(token, "x", nullptr), kTokenIdentifier);
  EXPECT_EQ(ScriptParserA(nullptr, "x", &used), kTokenEnd);
}

TEST(Tokenizer, Utf8CharactersStayWhole) {
  // "Müller": the UTF-8 bytes are neither blanks nor split apart.
  EXPECT_EQ(Walk("M\xC3\xBCller 2", false, false),
            (std::vector<Token>{{"M", 4}, {"\xC3\xBC", 2}, {"ller", 4}, {"2", 128}, {"", 1}}));
  // A four-byte character, a truncated sequence and a stray continuation.
  char token[16];
  Qword used = 0;
  EXPECT_EQ(ScriptParserA(token, "\xF0\x9F\x98\x80!", &used), kTokenChar);
  EXPECT_STREQ(token, "\xF0\x9F\x98\x80");
  EXPECT_EQ(used, 4u);
  EXPECT_EQ(ScriptParserA(token, "\xE2\x82", &used), kTokenChar);
  EXPECT_EQ(used, 2u);
  EXPECT_EQ(ScriptParserA(token, "\x80\x80", &used), kTokenChar);
  EXPECT_EQ(used, 1u);
  EXPECT_EQ(ScriptParserCapA(token, "\"\xC3\xA9t\xC3\xA9\"", &used), kTokenString);
  EXPECT_STREQ(token, "\xC3\xA9t\xC3\xA9");
}
