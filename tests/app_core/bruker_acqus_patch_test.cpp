// The writer's changes to acqus: the GRPDLY and TD lines, the sample
// encoding lines, the record of a sample scale; nothing else moves.
#include "app/core/bruker_acqus_patch.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "tests/app_core/acqus_builder.h"

namespace {

BrukerAcqusPatch Patch(double gdly, Qword td) {
  BrukerAcqusPatch p;
  p.gdly = gdly;
  p.td = td;
  return p;
}

TEST(BrukerAcqusPatch, GroupDelayAndTdLinesInBothLineEnds) {
  for (const std::string eol : {"\n", "\r\n"}) {
    const std::string text = AcqusBuilder().Set("GRPDLY", " -1").Text(eol);
    const std::string out = BrukerPatchAcqus(text, Patch(69.5313, 1024));
    const std::string want = AcqusBuilder().Set("GRPDLY", " 69.5313").Set("TD", " 1024").Text(eol);
    EXPECT_EQ(out, want);
  }
}

TEST(BrukerAcqusPatch, GroupDelayReadsBackAsTheSameDouble) {
  // strtod is the judge: the written text must name exactly the double.
  const double values[] = {67.9860229492188, 0.1,     1.0 / 3, -2.5e-7,          5e-324,
                           DBL_MAX,          69.5313, 76,      71.99999999999999};
  const std::string key = "##$GRPDLY= ";
  for (const double v : values) {
    SCOPED_TRACE(v);
    const std::string out = BrukerPatchAcqus(AcqusBuilder().Text(), Patch(v, 2048));
    const size_t at = out.find(key);
    ASSERT_NE(at, std::string::npos);
    char* end = nullptr;
    const double back = std::strtod(out.c_str() + at + key.size(), &end);
    EXPECT_EQ(*end, '\n');
    EXPECT_EQ(0, std::memcmp(&back, &v, sizeof v));
  }
}

TEST(BrukerAcqusPatch, MissingLinesStayMissingAndNaNKeepsGrpdly) {
  const std::string no_grpdly = AcqusBuilder().Erase("GRPDLY").Text();
  EXPECT_EQ(BrukerPatchAcqus(no_grpdly, Patch(12, 2048)), no_grpdly);
  EXPECT_EQ(BrukerPatchAcqus(no_grpdly, Patch(12, 4096)),
            AcqusBuilder().Erase("GRPDLY").Set("TD", " 4096").Text());
  const std::string text = AcqusBuilder().Text();
  EXPECT_EQ(BrukerPatchAcqus(text, Patch(NAN, 2048)), text);
  EXPECT_EQ(BrukerPatchAcqus("", Patch(1, 2)), "");
}

TEST(BrukerAcqusPatch, EncodingLinesChangeOnlyWhenTheyDiffer) {
  BrukerAcqusPatch p = Patch(76, 2048);
  const std::string spaced = AcqusBuilder().Set("DTYPA", "  0").Text();
  EXPECT_EQ(BrukerPatchAcqus(spaced, p), spaced);
  p.dtypa = 2;
  p.bytorda = 1;
  EXPECT_EQ(BrukerPatchAcqus(spaced, p),
            AcqusBuilder().Set("DTYPA", " 2").Set("BYTORDA", " 1").Text());
}

TEST(BrukerAcqusPatch, ScaleIsRecordedOnceAfterTheTdLine) {
  BrukerAcqusPatch p = Patch(76, 2048);
  p.scale = 0.25;
  const std::string once = BrukerPatchAcqus(AcqusBuilder().Text(), p);
  const std::string td = "##$TD= 2048\n";
  const size_t at = once.find(td);
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(once.substr(at + td.size(), std::string(kBrukerScaleComment).size() + 5),
            std::string(kBrukerScaleComment) + "0.25\n");
  // A second save replaces the record; scale 1 removes it.
  p.scale = 4;
  const std::string twice = BrukerPatchAcqus(once, p);
  EXPECT_EQ(twice.find("0.25"), std::string::npos);
  EXPECT_NE(twice.find(std::string(kBrukerScaleComment) + "4\n"), std::string::npos);
  p.scale = 1;
  EXPECT_EQ(BrukerPatchAcqus(twice, p), AcqusBuilder().Text());
}

}  // namespace
