// The parameter entries of an acquisition: their order and texts, the
// group delay, the DOSY delays, the block count and gradient list, and the
// errors of missing keys and unusable values.
#include "app/core/bruker_parameters.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/app_core/acqus_builder.h"

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

Entries Read(const AcqusBuilder& b, LibErrorCode* code, const std::string* acqu2s = nullptr,
             const std::string* difflist = nullptr, BrukerAcquisition* acq = nullptr) {
  BrukerAcquisition local;
  if (!acq) acq = &local;
  const BrukerJcampText acqus(b.Text());
  const BrukerJcampText second(acqu2s ? *acqu2s : std::string());
  *code = BrukerReadAcquisition(acqus, acqu2s ? &second : nullptr, difflist, acq);
  Entries e;
  for (const auto& x : acq->entries) e.push_back({x.name, x.value});
  return e;
}

std::string C15(double x) {
  char b[64];
  std::snprintf(b, sizeof b, "%.15g", x);
  return b;
}

TEST(BrukerParameters, EntriesInTheirOrderWithTheirTexts) {
  LibErrorCode code;
  BrukerAcquisition acq;
  const Entries e = Read(AcqusBuilder(), &code, nullptr, nullptr, &acq);
  ASSERT_EQ(code, 0u);
  const Entries want = {
      {"BS", "1024"},       {"SW", " 10000"},   {"DW", "0.0001"},   {"XOFF", "5e-05"},
      {"GDLY", " 76"},      {"NUC", "29Si"},    {"SF", " 79.4948"}, {"F1", " 1200"},
      {"SYF1", " 79.4960"}, {"GREC", "0.0002"}, {"DIFFT", "0.05"},  {"PW90", "12.5"},
      {"PW180", "25"},      {"PGRAD", "1500"},  {"PULPROG", "zg"},  {"LITDEL", ""},
      {"BIGDEL", ""},       {"BYTORDA", " 0"},  {"DTYPA", " 0"},    {"NBLK", "1"},
  };
  EXPECT_EQ(e, want);
  EXPECT_EQ(acq.layout.points, 1024u);
  EXPECT_EQ(acq.layout.samples, 2048u);
  EXPECT_EQ(acq.layout.blocks, 1u);
  EXPECT_EQ(acq.dw, 1e-4);
  EXPECT_EQ(acq.xoff, 5e-5);
}

std::string Entry(const Entries& e, const std::string& name) {
  for (const auto& x : e)
    if (x.first == name) return x.second;
  return "<missing>";
}

TEST(BrukerParameters, GroupDelayFromTheKeyOrTheTable) {
  struct Case {
    const char* grpdly;
    const char* decim;  // null: no DECIM key
    const char* dspfvs;
    const char* gdly;
  } cases[] = {
      {" 76", " 16", " 10", " 76"},   {" -1", " 16", " 10", "69.5313"},
      {"  -1 ", " 256", " 12", "-1"}, {" -1", " 5", " 10", "-1"},
      {" -1", nullptr, " 11", "-1"},  {" 67.98", " 16", " 10", " 67.98"},
  };
  for (const Case& c : cases) {
    AcqusBuilder b;
    b.Set("GRPDLY", c.grpdly).Set("DSPFVS", c.dspfvs);
    if (c.decim) {
      b.Set("DECIM", c.decim);
    } else {
      b.Erase("DECIM");
    }
    LibErrorCode code;
    const Entries e = Read(b, &code);
    ASSERT_EQ(code, 0u) << c.grpdly;
    EXPECT_EQ(Entry(e, "GDLY"), c.gdly) << c.grpdly << c.dspfvs;
    // DECIM and DSPFVS stand before GDLY, and only with GRPDLY -1.
    const bool table = std::string(c.grpdly).find("-1") != std::string::npos;
    EXPECT_EQ(Entry(e, "DSPFVS"), table ? c.dspfvs : "<missing>");
    EXPECT_EQ(Entry(e, "DECIM"), table && c.decim ? c.decim : "<missing>");
    if (table) {
      EXPECT_EQ(e[4].first, c.decim ? "DECIM" : "DSPFVS");
    }
  }
}

TEST(BrukerParameters, ObserveFrequencyWithoutSfo1) {
  LibErrorCode code;
  const Entries e = Read(AcqusBuilder().Erase("SFO1"), &code);
  ASSERT_EQ(code, 0u);
  EXPECT_EQ(Entry(e, "SYF1"), C15(79.4948 + 1e-6 * 1200));
}

TEST(BrukerParameters, DosyDelaysByPulseProgram) {
  const double g = 1500e-6, difft = 0.05, grec = 0.0002;
  struct Case {
    const char* pulprog;
    int kind;
    double lit, big;
  } cases[] = {
      {"stebpgp1s", 2, 2 * g, difft - 0.5 * grec},
      {"ledbpgp2s", 2, 2 * g, difft - 0.5 * grec},
      {"dstebpgp3s", 4, 2 * g, difft - 8 * g / 3 - 3 * grec},
      {"stegp1s", 1, g, difft},
      {"ledgp2s", 1, g, difft},
      {"dstegp3s", 3, g, difft - 4 * g / 3 - grec},
      {"zg", 0, 0, 0},
      {"Stebp", 0, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BrukerDosyKind(c.pulprog), c.kind) << c.pulprog;
    LibErrorCode code;
    const Entries e =
        Read(AcqusBuilder().Set("PULPROG", std::string(" <") + c.pulprog + ">"), &code);
    ASSERT_EQ(code, 0u);
    EXPECT_EQ(Entry(e, "PULPROG"), c.pulprog);
    EXPECT_EQ(Entry(e, "LITDEL"), c.kind ? C15(c.lit) : "") << c.pulprog;
    EXPECT_EQ(Entry(e, "BIGDEL"), c.kind ? C15(c.big) : "") << c.pulprog;
  }
}

TEST(BrukerParameters, SeriesBlockCountAndGradientList) {
  struct Case {
    const char* acqu2s;
    const char* difflist;  // null: none
    LibErrorCode code;
    const char* nblk;
    const char* bini;
    const char* bend;
  } cases[] = {
      {"##$TD= 3\n", nullptr, 0, " 3", "<missing>", "<missing>"},
      {"##$TD= 2\n", "1.5\n2.5\n3.5\n", 0, " 2", "1.5", "2.5"},
      {"##$TD= 3\r\n", "1.5\r\n2.5\r\n3.5\r\n", 0, " 3", "1.5", "3.5"},
      {"##$TD= 5\n", "1.5\n2.5\n3.5", 0, " 5", "1.5", "3.5"},  // short list: its last line
      // Lines that are no gradient values refuse the folder; lines after
      // the NBLK-th are not read.
      {"##$TD= 2\n", "", 28, " 2", "<missing>", "<missing>"},
      {"##$TD= 2\n", "\n\n", 28, " 2", "<missing>", "<missing>"},
      {"##$TD= 2\n", "a\n2.5\n", 28, " 2", "<missing>", "<missing>"},
      {"##$TD= 2\n", "1.5\nnan\n", 28, " 2", "<missing>", "<missing>"},
      {"##$TD= 2\n", "1.5\n1e999\n", 28, " 2", "<missing>", "<missing>"},
      {"##$TD= 2\n", "-inf\n2\n", 28, " 2", "<missing>", "<missing>"},
      {"##$TD= 2\n", "g=1.5\n2.5\n", 28, " 2", "<missing>", "<missing>"},
      {"##$TD= 2\n", "1.5 G\n2.5\n", 28, " 2", "<missing>", "<missing>"},
      {"##$TD= 2\n", "1.5\n\n", 28, " 2", "<missing>", "<missing>"},
      {"##$TD= 2\n", " 1.5\t\n-2.5e1\nx\n", 0, " 2", " 1.5\t", "-2.5e1"},
      {"##$SI= 3\n", nullptr, 48, "<missing>", "<missing>", "<missing>"},
      {"##$TD= 0\n", nullptr, 25, " 0", "<missing>", "<missing>"},
      {"##$TD= many\n", nullptr, 25, " many", "<missing>", "<missing>"},
  };
  for (const Case& c : cases) {
    const std::string acqu2s = c.acqu2s;
    const std::string difflist = c.difflist ? c.difflist : "";
    LibErrorCode code;
    BrukerAcquisition acq;
    const Entries e = Read(AcqusBuilder(), &code, &acqu2s, c.difflist ? &difflist : nullptr, &acq);
    EXPECT_EQ(code, c.code) << c.acqu2s;
    EXPECT_EQ(Entry(e, "NBLK"), c.nblk) << c.acqu2s;
    EXPECT_EQ(Entry(e, "BINI"), c.bini) << c.acqu2s;
    EXPECT_EQ(Entry(e, "BEND"), c.bend) << c.acqu2s;
    const bool list = std::string(c.bini) != "<missing>";
    EXPECT_EQ(Entry(e, "BGRD"), list ? "Lin" : "<missing>");
    EXPECT_EQ(Entry(e, "BUNIT"), list ? "G/cm" : "<missing>");
    if (code == 0) {
      EXPECT_EQ(acq.layout.blocks, std::stoull(c.nblk));
    }
  }
}

TEST(BrukerParameters, MissingKeysAndUnusableValues) {
  struct Case {
    const char* key;
    const char* rest;  // null: the key is dropped
    LibErrorCode code;
  } cases[] = {
      {"TD", nullptr, 48},
      {"SW_h", nullptr, 48},
      {"GRPDLY", nullptr, 48},
      {"NUC1", nullptr, 48},
      {"BF1", nullptr, 48},
      {"O1", nullptr, 48},
      {"D", nullptr, 48},
      {"P", nullptr, 48},
      {"PULPROG", nullptr, 48},
      {"BYTORDA", nullptr, 48},
      {"DTYPA", nullptr, 48},
      {"SFO1", nullptr, 0},
      {"D", " (0..15)\n0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15", 48},  // no item 16
      {"NUC1", " 29Si", 48},                                         // no "<"
      {"TD", " abc", 25},
      {"TD", " 1", 17},
      {"TD", " 0", 17},
      {"TD", " 99999999999999999999", 17},
      {"TD", " 4611686018427387904", 17},
      {"SW_h", " 0", 25},
      {"SW_h", " -10000", 25},
      {"SW_h", " wide", 25},
      {"SW_h", " inf", 25},
      {"DTYPA", " 1", 16},
      {"DTYPA", " 3", 16},
      {"DTYPA", " int", 16},
      {"BYTORDA", " 2", 16},
      {"DTYPA", " 2", 0},
      {"BYTORDA", " 1", 0},
  };
  for (const Case& c : cases) {
    AcqusBuilder b;
    if (c.rest) {
      b.Set(c.key, c.rest);
    } else {
      b.Erase(c.key);
    }
    LibErrorCode code;
    Read(b, &code);
    EXPECT_EQ(code, c.code) << c.key << (c.rest ? c.rest : " dropped");
  }
  // GRPDLY -1 needs DSPFVS.
  LibErrorCode code;
  Read(AcqusBuilder().Set("GRPDLY", " -1").Erase("DSPFVS"), &code);
  EXPECT_EQ(code, 48u);
}

TEST(BrukerParameters, OddTdKeepsItsUnpairedSampleOutOfTheDecay) {
  LibErrorCode code;
  BrukerAcquisition acq;
  const Entries e = Read(AcqusBuilder().Set("TD", " 2047"), &code, nullptr, nullptr, &acq);
  ASSERT_EQ(code, 0u);
  EXPECT_EQ(Entry(e, "BS"), "1023");
  EXPECT_EQ(acq.layout.samples, 2047u);
  EXPECT_EQ(acq.layout.points, 1023u);
}

}  // namespace
