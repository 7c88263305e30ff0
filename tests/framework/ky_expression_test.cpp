// The expression evaluator against Python's ast evaluation of random texts
// (bit for bit), and its documented errors and positions.
#include "framework/ky_expression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

struct Row {
  const char* text;
  uint64_t bits;
};

const Row kRows[] = {
#include "expression_table.inc"
};

// The variables of the generator.
double Variable(const char* name, void*) {
  static const struct {
    const char* name;
    double value;
  } kVars[] = {{"a", 2.385}, {"b", -0.75}, {"x1", 1e-3}, {"Rate2", 17.0}, {"T1rho", 0.3125}};
  for (const auto& v : kVars)
    if (std::strcmp(v.name, name) == 0) return v.value;
  return std::nan("");
}

uint64_t Bits(double x) {
  uint64_t b;
  std::memcpy(&b, &x, 8);
  return b;
}

struct Result {
  double value;
  Dword error;
  size_t consumed;
};

Result Eval(const char* text, KyFunctionLookup lookup = nullptr, void* user = nullptr) {
  cKyExpression e(user, Variable, nullptr, lookup, 256, nullptr, nullptr);
  const char* p = text;
  const double v = e.Evaluate(&p);
  return {v, e.ErrorCode(), static_cast<size_t>(p - text)};
}

TEST(KyExpression, MatchesPythonAstBitForBit) {
  ASSERT_GE(sizeof kRows / sizeof kRows[0], 500u);
  for (const Row& row : kRows) {
    const Result r = Eval(row.text);
    ASSERT_EQ(r.error, 0u) << row.text;
    EXPECT_EQ(Bits(r.value), row.bits) << row.text << " gave " << r.value;
    EXPECT_EQ(r.consumed, std::strlen(row.text)) << row.text;
  }
}

TEST(KyExpression, DocumentedValuesErrorsAndPositions) {
  const struct {
    const char* text;
    double value;  // NaN: not checked
    Dword error;
    size_t consumed;
  } kCases[] = {
      {"1+2*3", 7, 0, 5},  {"(1+2)*3", 9, 0, 7},    {"-2*3", -6, 0, 4},   {"2*-3", -6, 0, 4},
      {"8/2/2", 2, 0, 5},  {"8-2-2", 4, 0, 5},      {"1.5e2", 150, 0, 5}, {".5", 0.5, 0, 2},
      {"-.5*2", -1, 0, 5}, {"3 x", 3, 0, 2},  // stops at the x
      {"4)", 4, 0, 1},                        // unused characters stay
      {"2e+", 2, 0, 1},                       // an exponent needs digits
      {"", 0, 5, 0},       {"   ", 0, 5, 3},        {"(1+2", 3, 1, 4},    {"2*", 2, 3, 2},
      {"1+", 1, 4, 2},     {"2*-x", 2, 2, 3},        // the lone minus is a bad factor
      {"1+(2*", 1, 3, 5},                            // the value before the failing operand
      {"()", 0, 2, 2},     {"7/0", INFINITY, 0, 3},  // IEEE division
      {"a1+1", NAN, 0, 4},
  };
  for (const auto& c : kCases) {
    const Result r = Eval(c.text);
    EXPECT_EQ(r.error, c.error) << '"' << c.text << '"';
    if (!std::isnan(c.value)) {
      EXPECT_EQ(r.value, c.value) << '"' << c.text << '"';
    }
    EXPECT_EQ(r.consumed, c.consumed) << '"' << c.text << '"';
  }
  // A variable the owner does not know is whatever the callback answers.
  EXPECT_TRUE(std::isnan(Eval("nope*2").value));
}

double Twice(const double* args) { return 2 * args[0]; }
double Diff(const double* args) { return args[0] - args[1]; }

const KyFunctionDescriptor* Lookup(const char* name, void*) {
  static const KyFunctionDescriptor twice{1, Twice}, diff{2, Diff};
  if (std::strcmp(name, "f") == 0) return &twice;
  if (std::strcmp(name, "d") == 0) return &diff;
  return nullptr;
}

TEST(KyExpression, Functions) {
  EXPECT_EQ(Eval("f(2)").error, 6u);  // no lookup
  EXPECT_EQ(Eval("g(2)", Lookup).error, 6u);
  Result r = Eval("f(2)+1", Lookup);
  EXPECT_EQ(r.error, 0u);
  EXPECT_EQ(r.value, 5.0);
  r = Eval("d(10, a*2) * 2", Lookup);
  EXPECT_EQ(r.error, 0u);
  EXPECT_EQ(r.value, (10 - 2.385 * 2) * 2);
  r = Eval("f(d(1,2)", Lookup);  // a missing ")" after the arguments is tolerated
  EXPECT_EQ(r.error, 0u);
  EXPECT_EQ(r.value, -2.0);
  EXPECT_EQ(Eval("f(", Lookup).error, 5u);
}

TEST(KyExpression, DeepNestingEndsWithAnError) {
  std::string deep(100000, '(');
  const Result r = Eval(deep.c_str());
  EXPECT_NE(r.error, 0u);
  std::string fine = std::string(200, '(') + "1" + std::string(200, ')');
  EXPECT_EQ(Eval(fine.c_str()).value, 1.0);
}

TEST(KyParser, TokenTypesAndTexts) {
  cKyParser p(8, "_", "$");
  p.SetText("  A1 $b_c 12.5 -3 0x1F \"q\\t\\\"x\" ; _z");
  const struct {
    Dword type;
    const char* token;
  } kTokens[] = {{4, "A1"},  {4, "$b"},  {4, "_c"},  {128, "12"},   {2, "."}, {128, "5"}, {2, "-"},
                 {128, "3"}, {128, "0"}, {4, "x1F"}, {8, "q\t\"x"}, {2, ";"}, {4, "_z"},  {1, ""}};
  for (const auto& t : kTokens) {
    EXPECT_EQ(p.NextToken(nullptr, 0), t.type) << t.token;
    EXPECT_STREQ(p.Token(), t.token);
  }
  // Hexadecimal numbers and grooming on request; reals.
  p.SetText("0x1fz -.5e-3x 1.e name");
  Dword pos = 0;
  EXPECT_EQ(p.NextToken(&pos, kKyParseHex), kKyTokenHex);
  EXPECT_STREQ(p.Token(), "0X1f");
  EXPECT_EQ(pos, 4u);
  EXPECT_EQ(p.NextToken(nullptr, 0), kKyTokenName);
  EXPECT_EQ(p.NextTokenReal(nullptr, 0), kKyTokenNumber);
  EXPECT_STREQ(p.Token(), "-.5e-3");
  EXPECT_EQ(p.NextTokenReal(nullptr, 0), kKyTokenName);
  EXPECT_EQ(p.NextTokenReal(nullptr, 0), kKyTokenNumber);
  EXPECT_STREQ(p.Token(), "1.");
  EXPECT_EQ(p.NextTokenReal(nullptr, 0), kKyTokenName);
  EXPECT_STREQ(p.Token(), "e");
  EXPECT_EQ(p.NextTokenReal(nullptr, kKyParseGroom), kKyTokenName);
  EXPECT_STREQ(p.Token(), "NAME");
  // A long token is cut to the capacity less one; the scan goes past it.
  p.SetText("abcdefghijk+");
  EXPECT_EQ(p.NextToken(&pos, 0), kKyTokenName);
  EXPECT_STREQ(p.Token(), "abcdefg");
  EXPECT_EQ(pos, 11u);
  // White space is every byte up to 32 as a signed byte, so also 0x80..0xFF.
  p.SetText("\x01\x85\xff+");
  EXPECT_EQ(p.NextToken(nullptr, 0), kKyTokenChar);
  EXPECT_STREQ(p.Token(), "+");
  // Escapes in quoted strings; an unterminated string runs to the end.
  p.SetText("\"\\n\\f\\r\\\\\" \"open");
  EXPECT_EQ(p.NextToken(nullptr, 0), kKyTokenString);
  EXPECT_STREQ(p.Token(), "\n\f\r\\");
  EXPECT_EQ(p.NextToken(nullptr, kKyParseGroom), kKyTokenString);
  EXPECT_STREQ(p.Token(), "open");  // not groomed
  // An underscore is no name character unless a set says so.
  cKyParser q(16, nullptr, nullptr);
  q.SetText("A_1");
  EXPECT_EQ(q.NextToken(nullptr, 0), kKyTokenName);
  EXPECT_STREQ(q.Token(), "A");
}

}  // namespace
