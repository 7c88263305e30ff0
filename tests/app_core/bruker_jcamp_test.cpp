// The JCAMP-DX parameter text: value texts as they stand, keys only at the
// start of a line, arrays counted across lines (or on the key's line),
// texts between "<" and ">", Latin-1 bytes made UTF-8.
#include "app/core/bruker_jcamp.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/core/bruker_text.h"

namespace {

TEST(BrukerJcamp, ValueTextKeepsTheBlankAndDropsTheLineEnd) {
  for (const char* eol : {"\n", "\r\n", "\r"}) {
    const std::string text = std::string("##TITLE= x") + eol + "##$TD= 2048" + eol +
                             "##$SW_h= 10000.5" + eol + "##$SW= 125.8";
    const BrukerJcampText j(text);
    std::string v;
    ASSERT_TRUE(j.ValueText("TD", &v)) << eol;
    EXPECT_EQ(v, " 2048");
    ASSERT_TRUE(j.ValueText("SW_h", &v));
    EXPECT_EQ(v, " 10000.5");
    ASSERT_TRUE(j.ValueText("SW", &v));  // the last line has no line end
    EXPECT_EQ(v, " 125.8");
    EXPECT_FALSE(j.ValueText("O1", &v));
  }
}

TEST(BrukerJcamp, KeysCountOnlyAtTheStartOfALine) {
  const BrukerJcampText j("##TITLE= copied from ##$TD= 99\n##$TD= 16\n##$XTD= 5\n");
  std::string v;
  ASSERT_TRUE(j.ValueText("TD", &v));
  EXPECT_EQ(v, " 16");
  // "##$D=" is no part of "##$TD=" and appears nowhere else.
  EXPECT_FALSE(j.ValueText("D", &v));
}

TEST(BrukerJcamp, AngleTexts) {
  const BrukerJcampText j(
      "##$NUC1= <29Si>\n##$PULPROG= <dstebpgp3s>\n##$EMPTY= <>\n"
      "##$OPEN= <abc\n##$NONE= 5\n");
  struct Case {
    const char* key;
    bool found;
    const char* text;
  } cases[] = {{"NUC1", true, "29Si"}, {"PULPROG", true, "dstebpgp3s"},
               {"EMPTY", true, ""},    {"OPEN", true, "abc"},
               {"NONE", false, ""},    {"MISSING", false, ""}};
  for (const Case& c : cases) {
    std::string t;
    EXPECT_EQ(j.AngleText(c.key, &t), c.found) << c.key;
    if (c.found) {
      EXPECT_EQ(t, c.text) << c.key;
    }
  }
}

TEST(BrukerJcamp, ArrayItemsAcrossLinesAndOnTheKeyLine) {
  const BrukerJcampText j(
      "##$D= (0..9)\n0 1 2 3\n4 5\r\n6  7\t8 9\n##$P= (0..3) 10 11\n12 13\n"
      "##$Q= 20 21 22\n$$ comment\n23\n##$E= (0..1)\n##END=\n");
  struct Case {
    const char* key;
    unsigned index;
    bool found;
    const char* item;
  } cases[] = {
      {"D", 0, true, "0"},  {"D", 3, true, "3"},  {"D", 4, true, "4"},  {"D", 6, true, "6"},
      {"D", 7, true, "7"},  {"D", 9, true, "9"},  {"D", 10, false, ""}, {"P", 0, true, "10"},
      {"P", 2, true, "12"}, {"P", 3, true, "13"}, {"P", 4, false, ""},  {"Q", 0, true, "20"},
      {"Q", 2, true, "22"}, {"Q", 3, false, ""},  {"E", 0, false, ""},  {"X", 0, false, ""},
  };
  for (const Case& c : cases) {
    std::string t;
    EXPECT_EQ(j.ArrayItem(c.key, c.index, &t), c.found) << c.key << c.index;
    if (c.found) {
      EXPECT_EQ(t, c.item) << c.key << c.index;
    }
  }
}

TEST(BrukerJcamp, Latin1BytesBecomeUtf8AndUtf8Stays) {
  // 0xB5 (micro sign in Latin-1) alone is no UTF-8; "\xC2\xB0" (degree
  // sign) is; an overlong form and a lone continuation byte are not.
  const std::string text = std::string("##$NUC1= <a\xB5") + "b\xC2\xB0" + "c\xC0\xAF" + "d\x80>\n";
  const BrukerJcampText j(text);
  std::string t;
  ASSERT_TRUE(j.AngleText("NUC1", &t));
  EXPECT_EQ(t,
            "a\xC2\xB5"
            "b\xC2\xB0"
            "c\xC3\x80\xC2\xAF"
            "d\xC2\x80");
  EXPECT_EQ(BrukerValidUtf8(std::string("x\0y", 3)), "xy");
  EXPECT_EQ(BrukerValidUtf8("\xF0\x9F\x98\x80"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(BrukerValidUtf8("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xC2\x80");  // a surrogate
}

TEST(BrukerText, NumbersReadAndWrittenInTheCForm) {
  Qword v;
  EXPECT_EQ(BrukerParseUnsigned(" 2048 ", &v), BrukerNumber::kOk);
  EXPECT_EQ(v, 2048u);
  EXPECT_EQ(BrukerParseUnsigned("18446744073709551615", &v), BrukerNumber::kOk);
  EXPECT_EQ(v, ~Qword{0});
  EXPECT_EQ(BrukerParseUnsigned("18446744073709551616", &v), BrukerNumber::kTooLarge);
  for (const char* bad : {"", " ", "-1", "2e3", "12a", "1 2"})
    EXPECT_EQ(BrukerParseUnsigned(bad, &v), BrukerNumber::kNotANumber) << bad;
  EXPECT_EQ(BrukerParseReal(" 79.4948"), 79.4948);
  EXPECT_EQ(BrukerParseReal("+1e-3 "), 1e-3);
  EXPECT_TRUE(std::isnan(BrukerParseReal("1,5")));
  EXPECT_TRUE(std::isnan(BrukerParseReal("")));
  EXPECT_EQ(BrukerFormatG(1.0 / 10000, 6), "0.0001");
  EXPECT_EQ(BrukerFormatG(1.0 / 3, 6), "0.333333");
  EXPECT_EQ(BrukerFormatG(1.0 / 3 / 2, 15), "0.166666666666667");
  EXPECT_EQ(BrukerFormatG(69.5313, 15), "69.5313");
  EXPECT_EQ(BrukerFormatG(-1, 15), "-1");
  EXPECT_EQ(BrukerFormatG(1.5e-7, 6), "1.5e-07");
}

}  // namespace
