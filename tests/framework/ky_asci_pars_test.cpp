// The named-parameter store against a plain model of its entries, the
// documented cases, and the unsafe inputs it must refuse or end.
#include "framework/ky_asci_pars.h"

#include <gtest/gtest.h>
#include <pthread.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "support/alloc_failure.h"

namespace {

constexpr Qword kAllOnes = ~Qword{0};

struct Entry {
  std::string name, value, extra;
};

// The text the store must hold, built from the format's description.
std::string ModelText(const std::vector<Entry>& entries) {
  std::string t = "\r";
  for (const Entry& e : entries) {
    t += e.name + "=";
    if (!e.value.empty() || !e.extra.empty()) t += e.value + "=";
    t += e.extra + "\r";
  }
  return t;
}

std::vector<Entry> Iterate(const cKyAsciPars& p) {
  std::vector<Entry> out;
  char name[1024], value[4096], extra[1024];
  for (Qlong pos = p.GetEntryAt(0, name, value, extra); pos >= 0;
       pos = p.GetEntryAt(pos, name, value, extra))
    out.push_back({name, value, extra});
  return out;
}

TEST(KyAsciPars, DocumentedCases) {
  cKyAsciPars p;
  EXPECT_EQ(p.Find("A"), -1);
  EXPECT_TRUE(std::isnan(p.GetReal("A")));
  EXPECT_EQ(p.AddEntry("A", "1", nullptr), 0u);
  EXPECT_STREQ(p.Text(), "\rA=1=\r");
  EXPECT_EQ(p.EntryCount(), 1u);
  EXPECT_EQ(p.GetReal("A"), 1.0);
  EXPECT_EQ(p.Find("A"), 3);

  cKyAsciPars q;
  q.AddEntry("A", "1", nullptr);
  q.AddEntry("B", "x", nullptr);
  EXPECT_EQ(q.Set("A", "2"), 0u);
  EXPECT_STREQ(q.Text(), "\rB=x=\rA=2=\r");

  q.AddEntry("AB", "5", nullptr);
  q.AddEntry("C", "(A*2+1)", nullptr);
  q.AddEntry("D", "  12.5 ", nullptr);
  q.AddEntry("V", "-1.5, 2", nullptr);
  EXPECT_EQ(q.Find("a"), -1);
  EXPECT_EQ(q.GetReal("AB"), 5.0);
  EXPECT_EQ(q.Set("A", "3"), 0u);
  EXPECT_EQ(q.GetReal("C"), 7.0);
  EXPECT_EQ(q.GetReal("D"), 12.5);
  double v[2];
  EXPECT_EQ(q.GetRealArray("V", v, 2), 0u);
  EXPECT_EQ(v[0], 1.5);  // the sign before the first digit is skipped
  EXPECT_EQ(v[1], 2.0);

  cKyAsciPars r;
  EXPECT_EQ(r.AddLines("X=1\rY=2"), 0u);
  EXPECT_EQ(r.EntryCount(), 1u);  // counts the CRs inside the text
  EXPECT_EQ(r.GetReal("X"), 1.0);
  EXPECT_EQ(r.GetReal("Y"), 2.0);
  EXPECT_EQ(r.AddLines(""), 0u);
  EXPECT_EQ(r.AddLines(nullptr), 0u);
  EXPECT_STREQ(r.Text(), "\rX=1\rY=2\r");

  cKyAsciPars s;
  s.AddEntry("ONLY", "1", "note");
  EXPECT_EQ(s.Remove("ONLY"), 0u);
  EXPECT_STREQ(s.Text(), "\r");
  EXPECT_EQ(s.EntryCount(), 0u);
  EXPECT_EQ(s.Remove("ONLY"), 21u);
}

TEST(KyAsciPars, RandomEditsMatchModel) {
  std::mt19937 rng(99);
  const char* names[] = {"NS", "TD", "SW", "O1", "D1", "P1", "NBLK", "PULPROG"};
  auto pick = [&](int n) { return static_cast<int>(rng() % n); };
  for (int round = 0; round < 20; ++round) {
    cKyAsciPars p;
    std::vector<Entry> model;
    bool created = false;  // the buffer comes with the first addition
    for (int step = 0; step < 200; ++step) {
      const std::string name = names[pick(8)];
      const std::string value =
          pick(4) ? std::to_string(pick(100000)) + "." + std::to_string(pick(10)) : "";
      const std::string extra = pick(3) == 0 ? "unit " + std::to_string(pick(9)) : "";
      auto it =
          std::find_if(model.begin(), model.end(), [&](const Entry& e) { return e.name == name; });
      switch (pick(3)) {
        case 0:
          ASSERT_EQ(
              p.AddEntry(name.c_str(), value.c_str(), extra.empty() ? nullptr : extra.c_str()), 0u);
          model.push_back({name, value, extra});
          created = true;
          break;
        case 1:
          ASSERT_EQ(p.Set(name.c_str(), value.c_str()), 0u);
          if (it != model.end()) model.erase(it);
          model.push_back({name, value, ""});
          created = true;
          break;
        default:
          ASSERT_EQ(p.Remove(name.c_str()), it == model.end() ? 21u : 0u);
          if (it != model.end()) model.erase(it);
      }
      ASSERT_EQ(p.Text() != nullptr, created);
      if (created) {
        ASSERT_EQ(std::string(p.Text()), ModelText(model));
      }
      ASSERT_EQ(p.EntryCount(), model.size());
      const std::vector<Entry> seen = Iterate(p);
      ASSERT_EQ(seen.size(), model.size());
      for (size_t i = 0; i < seen.size(); ++i) {
        ASSERT_EQ(seen[i].name, model[i].name);
        ASSERT_EQ(seen[i].value, model[i].value);
        ASSERT_EQ(seen[i].extra, model[i].extra);
      }
      for (const char* n : names) {
        auto first =
            std::find_if(model.begin(), model.end(), [&](const Entry& e) { return e.name == n; });
        char buf[1024];
        const Qlong next = p.GetString(n, buf);
        if (first == model.end()) {
          ASSERT_EQ(next, -1);
          ASSERT_TRUE(std::isnan(p.GetReal(n)));
          continue;
        }
        ASSERT_EQ(std::string(buf), first->value);
        // The next entry starts where GetString says.
        const std::string before = ModelText(std::vector<Entry>(model.begin(), first + 1));
        ASSERT_EQ(next, static_cast<Qlong>(before.size()));
        const double want = first->value.empty() ? NAN : std::stod(first->value);
        if (std::isnan(want)) {
          ASSERT_TRUE(std::isnan(p.GetReal(n)));
        } else {
          ASSERT_EQ(p.GetReal(n), want);
        }
      }
    }
  }
}

TEST(KyAsciPars, ReadsNumbersArraysAndTexts) {
  cKyAsciPars p;
  p.AddEntry("U", "2.5", nullptr);
  p.AddEntry("N", "-1", nullptr);
  p.AddEntry("T", "hello", "extra");
  p.AddEntry("ARR", ".5 -7e1,x 3", nullptr);
  p.AddEntry("BIG", "1 2e999", nullptr);
  EXPECT_EQ(p.GetUnsigned("U"), 3u);
  EXPECT_EQ(p.GetUnsigned("N"), kAllOnes);
  EXPECT_EQ(p.GetUnsigned("T"), kAllOnes);
  EXPECT_EQ(p.GetUnsigned("none"), kAllOnes);
  double a[3];
  EXPECT_EQ(p.GetRealArray("ARR", a, 3), 0u);
  EXPECT_EQ(a[0], 5.0);  // the leading point is skipped like a sign
  EXPECT_EQ(a[1], 70.0);
  EXPECT_EQ(a[2], 3.0);
  EXPECT_EQ(p.GetRealArray("ARR", a, 4), 28u);  // the value holds three
  EXPECT_EQ(p.GetRealArray("BIG", a, 2), 28u);  // infinity
  EXPECT_EQ(p.GetRealArray("none", a, 1), 12u);
  // Numbers stop at the entry's end: the extra text is not read.
  p.AddEntry("E", "1", "2");
  EXPECT_EQ(p.GetRealArray("E", a, 2), 28u);
  char name[1024], value[4096], extra[1024];
  EXPECT_EQ(p.GetEntryAt(0, nullptr, value, extra), -1);
  const Qlong next = p.GetEntryAt(0, name, value, extra);
  EXPECT_STREQ(name, "U");
  EXPECT_EQ(p.Text()[next], '\r');
  // An empty value with an extra text keeps the two apart.
  p.AddEntry("EMPTY", "", "remark");
  char buf[1024];
  EXPECT_GE(p.GetString("EMPTY", buf), 0);
  EXPECT_STREQ(buf, "");
  const std::vector<Entry> all = Iterate(p);
  EXPECT_EQ(all.back().name, "EMPTY");
  EXPECT_EQ(all.back().value, "");
  EXPECT_EQ(all.back().extra, "remark");
}

TEST(KyAsciPars, LongValuesAreCutToTheReadingLimits) {
  cKyAsciPars p;
  const std::string v(5000, '7');
  ASSERT_EQ(p.AddEntry("L", v.c_str(), nullptr), 0u);
  char buf[1024];
  p.GetString("L", buf);
  EXPECT_EQ(std::string(buf), v.substr(0, 1023));
  char name[1024], value[4096], extra[1024];
  p.GetEntryAt(0, name, value, extra);
  EXPECT_EQ(std::string(value), v.substr(0, 4095));
}

TEST(KyAsciPars, RefusesNamesAndValuesThatWouldSplitEntries) {
  cKyAsciPars p;
  p.AddEntry("A", "1", nullptr);
  const std::string before = p.Text();
  const struct {
    const char *name, *value, *extra;
  } kBad[] = {{"X\rY", "1", nullptr},
              {"X=Y", "1", nullptr},
              {"X", "1\rB=2", nullptr},
              {"X", "1=2", nullptr},
              {"X", "1", "a\rB=3"}};
  for (const auto& b : kBad) {
    EXPECT_EQ(p.AddEntry(b.name, b.value, b.extra), 25u) << b.name << " " << b.value;
    if (!b.extra) {
      EXPECT_EQ(p.Set(b.name, b.value), 25u);
    }
  }
  EXPECT_EQ(p.Set("A", "2\rB=3"), 25u);
  EXPECT_EQ(std::string(p.Text()), before);
  EXPECT_EQ(p.EntryCount(), 1u);
  EXPECT_EQ(p.Find("B"), -1);
  EXPECT_EQ(p.Find("A\rB"), -1);
}

TEST(KyAsciPars, FailedExpressionsAndCyclesGiveNaN) {
  cKyAsciPars p;
  p.AddEntry("X", "3", nullptr);
  p.AddEntry("PART", "(2*", nullptr);  // the evaluator stops with 2 and an error
  p.AddEntry("OPEN", "(X+1", nullptr);
  p.AddEntry("A", "(B+1)", nullptr);
  p.AddEntry("B", "(A*2)", nullptr);
  p.AddEntry("SELF", "(SELF)", nullptr);
  p.AddEntry("OK", "( X / 2 )", nullptr);
  p.AddEntry("MISSING", "(Q+1)", nullptr);
  for (const char* n : {"PART", "OPEN", "A", "B", "SELF", "MISSING"})
    EXPECT_TRUE(std::isnan(p.GetReal(n))) << n;
  EXPECT_EQ(p.GetReal("OK"), 1.5);
  EXPECT_TRUE(std::isnan(p.Evaluate("(2*")));
  EXPECT_EQ(p.Evaluate("X*X"), 9.0);
  // A fan-out chain (each value reads the next twice) would take 2^40
  // reads; the budget ends it with NaN.
  cKyAsciPars f;
  for (int i = 0; i < 40; ++i) {
    const std::string v = "(V" + std::to_string(i + 1) + "+V" + std::to_string(i + 1) + ")";
    f.AddEntry(("V" + std::to_string(i)).c_str(), v.c_str(), nullptr);
  }
  f.AddEntry("V40", "1", nullptr);
  EXPECT_TRUE(std::isnan(f.GetReal("V0")));
  EXPECT_EQ(f.GetReal("V35"), 32.0);  // short chains still read
}

// A value that reads itself under hundreds of parentheses: each nested
// evaluation only gets the nesting the enclosing ones left, so the whole
// chain stays within one bound and ends with NaN on a small stack.
void* DeepSelfReference(void* out) {
  cKyAsciPars p;
  const std::string deep = std::string(460, '(') + "A";
  p.AddEntry("A", deep.c_str(), nullptr);
  const std::string ok = "(" + std::string(300, '(') + "1" + std::string(300, ')') + "+B)";
  p.AddEntry("C", ok.c_str(), nullptr);
  p.AddEntry("B", "((2))", nullptr);
  double* results = static_cast<double*>(out);
  results[0] = p.GetReal("A");
  results[1] = p.GetReal("C");
  return nullptr;
}

TEST(KyAsciPars, NestedEvaluationsShareOneDepthBound) {
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setstacksize(&attr, 1 << 20);
  double results[2] = {0, 0};
  pthread_t thread;
  ASSERT_EQ(pthread_create(&thread, &attr, DeepSelfReference, results), 0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attr);
  EXPECT_TRUE(std::isnan(results[0]));
  EXPECT_EQ(results[1], 3.0);  // nesting within the bound still evaluates
}

TEST(KyAsciPars, CopyAssignClearAndMemoryFailures) {
  cKyAsciPars p;
  p.AddEntry("A", "1", nullptr);
  p.AddEntry("B", "2", nullptr);
  cKyAsciPars c(p);
  EXPECT_STREQ(c.Text(), p.Text());
  EXPECT_EQ(c.EntryCount(), 2u);
  EXPECT_EQ(c.Capacity(), c.Used());
  EXPECT_EQ(c.AddEntry("C", "3", nullptr), 0u);  // grows from a full buffer
  EXPECT_EQ(c.GetReal("C"), 3.0);
  cKyAsciPars d;
  d = c;
  d = d;
  EXPECT_STREQ(d.Text(), c.Text());
  d.Clear();
  EXPECT_EQ(d.Text(), nullptr);
  EXPECT_EQ(d.Used(), kAllOnes);
  EXPECT_EQ(d.Find("A"), -1);
  EXPECT_EQ(d.AddEntry("Z", "9", nullptr), 0u);
  EXPECT_STREQ(d.Text(), "\rZ=9=\r");

  // A full buffer (a fresh copy) that cannot grow: nothing is lost, also
  // not by Set.
  c = cKyAsciPars(p);
  ASSERT_EQ(c.Capacity(), c.Used());
  const std::string before = c.Text();
  AllocFailureGuard fail(0);
  const LibErrorCode add = c.AddEntry("D", "4", nullptr);
  const LibErrorCode set = c.Set("A", "a much longer value than before");
  d = c;  // the failed copy keeps the old text
  fail.Release();
  EXPECT_EQ(add, 0x80001u);
  EXPECT_EQ(set, 0x80001u);
  EXPECT_EQ(std::string(c.Text()), before);
  EXPECT_STREQ(d.Text(), "\rZ=9=\r");
  cKyAsciPars fresh;
  fail.FailAfter(0);
  EXPECT_EQ(fresh.AddEntry("A", "1", nullptr), 0x80001u);
  fail.Release();
  EXPECT_EQ(fresh.Text(), nullptr);
}

}  // namespace
