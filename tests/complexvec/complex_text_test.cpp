// Complex text: the parser's status table (wide and 8-bit), formatting into
// a buffer and to the console, the console readers on scripted input and
// the conversions to and from split storage.
#include "complexvec/complex_text.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "base/error_codes.h"
#include "base/memory.h"
#include "base/number_text.h"
#include "complexvec/carr.h"
#include "complexvec/carr_split.h"
#include "support/alloc_failure.h"
#include "support/complex_accuracy.h"

namespace {

std::u16string Widen(const std::string& s) {
  std::u16string w;
  for (unsigned char c : s) w.push_back(c);
  return w;
}

// Standard input reads the given text for the life of the object.
class ScriptedStdin {
 public:
  explicit ScriptedStdin(const std::string& text) {
    char name[] = "/tmp/cmat_stdin_XXXXXX";
    const int fd = mkstemp(name);
    path_ = name;
    if (fd >= 0) {
      EXPECT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
      close(fd);
    }
    EXPECT_NE(std::freopen(path_.c_str(), "r", stdin), nullptr);
  }
  ~ScriptedStdin() {
    std::freopen("/dev/null", "r", stdin);
    unlink(path_.c_str());
  }

 private:
  std::string path_;
};

bool SameValue(double a, double b) { return (std::isnan(a) && std::isnan(b)) || a == b; }

}  // namespace

TEST(StringToComplex, StatusTable) {
  const Qword kNone = ~Qword{0};
  struct Row {
    const char* text;
    NumStatus status;
    double re, im;
    Qword consumed;
  } rows[] = {
      {"(3,4)", 0, 3, 4, 5},
      {"  (3,4)  ", NUM_ILLEGALCHAR, 3, 4, 7},
      {"", 0xb0, NAN, NAN, kNone},
      {"   ", 0xb0, NAN, NAN, kNone},
      {"(3,4", 0xa0, 3, 4, 3},
      {"( 1.5 , -2 )", 0, 1.5, -2, 12},
      {"( 1.5 , -2 ) x", NUM_ILLEGALCHAR, 1.5, -2, 12},
      {"1.5", 0xb0, NAN, NAN, 0},
      {"(1.5 -2)", 0xa0, 1.5, NAN, 5},
      {"(,4)", 0xb0, NAN, NAN, 1},
      {"(1, )", 0xb0, 1, NAN, 4},
      {"(1e999, 2)", NUM_OVERFLOW | NUM_NOSTRUCT | NUM_ILLEGALCHAR, INFINITY, NAN, 6},
      {"(1, 2) (3, 4)", NUM_ILLEGALCHAR, 1, 2, 6},
      {"\t(-0.5,\t2.25e1 )", 0, -0.5, 22.5, 16},
      {"(nan, inf)", 0, NAN, INFINITY, 10},
      {"(1, 2]", 0xa0, 1, 2, 5},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.text);
    COMPLEX z(7, 7);
    Qword used = 12345;
    EXPECT_EQ(StringToComplexA(r.text, &z, &used, 10), r.status);
    EXPECT_TRUE(SameValue(z.re, r.re) && SameValue(z.im, r.im)) << ctest::Show(z);
    EXPECT_EQ(used, r.consumed);
    // The wide twin reads the same characters the same way.
    const std::u16string w = Widen(r.text);
    z = COMPLEX(7, 7);
    used = 12345;
    EXPECT_EQ(StringToComplex(w.c_str(), &z, &used, 10), r.status);
    EXPECT_TRUE(SameValue(z.re, r.re) && SameValue(z.im, r.im)) << ctest::Show(z);
    EXPECT_EQ(used, r.consumed);
  }
  // Null text and null outputs.
  EXPECT_EQ(StringToComplex(nullptr, nullptr, nullptr, 10), 0xb0u);
  Qword used = 0;
  EXPECT_EQ(StringToComplexA("(1,2)", nullptr, &used, 10), 0u);
  EXPECT_EQ(used, 5u);
}

TEST(ComplexToBuffer, TemplateAroundTheTwoRealTexts) {
  const COMPLEX cases[] = {{0, 0}, {1.5, -2}, {-2.385e-7, 6.02e23}, {NAN, INFINITY}};
  for (Long digits : {0, 3, 17}) {
    for (const COMPLEX& z : cases) {
      char re[128], im[128];
      RealToBufferA(z.re, re, digits, 10);
      RealToBufferA(z.im, im, digits, 10);
      const std::string want = std::string("(") + re + ", " + im + ")";
      char buf[300];
      EXPECT_EQ(ComplexToBufferA(&z, buf, digits), want.size());
      EXPECT_EQ(std::string(buf), want);
      char16_t wbuf[300];
      EXPECT_EQ(ComplexToBuffer(&z, wbuf, digits), want.size());
      EXPECT_EQ(std::u16string(wbuf), Widen(want));
    }
  }
  char buf[8] = "xxxxxxx";
  EXPECT_EQ(ComplexToBufferA(nullptr, buf, 0), 0u);
  EXPECT_EQ(buf[0], 0);
}

TEST(CoutComplex, AnyDigitCountStaysInsideTheLocalBuffer) {
  const COMPLEX z(-1.0 / 3, 2.0 / 7);
  char text[64];
  ComplexToBufferA(&z, text, 5);
  ::testing::internal::CaptureStdout();
  CoutComplexA("z = ", &z, ";", 5);
  CoutComplex(u"<", &z, nullptr, 5);
  std::fflush(stdout);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            std::string("z = ") + text + ";" + "<" + text);

  // A digit count far beyond the buffer is cut to what fits.
  for (Long digits : {150, 100000, 2147483647}) {
    ::testing::internal::CaptureStdout();
    CoutComplexA("[", &z, "]", digits);
    std::fflush(stdout);
    const std::string out = ::testing::internal::GetCapturedStdout();
    ASSERT_GE(out.size(), 4u);
    EXPECT_LE(out.size(), 200u + 2);
    EXPECT_EQ(out.substr(0, 2), "[(");
    EXPECT_EQ(out.substr(out.size() - 2), ")]");
    EXPECT_NE(out.find(", "), std::string::npos);
    EXPECT_EQ(out.substr(2, 8), "-0.33333");
  }
}

TEST(CinComplex, ReadsOneValuePerLine) {
  ScriptedStdin in("( 1.5 , -2 )\n(3,4) tail\n");
  COMPLEX z;
  EXPECT_EQ(CinComplex(&z, u"z:"), 0u);
  EXPECT_EQ(z, COMPLEX(1.5, -2.0));
  EXPECT_EQ(CinComplexA(&z, "z:"), NUM_ILLEGALCHAR);
  EXPECT_EQ(z, COMPLEX(3.0, 4.0));
  // At the end of input the line is empty: nothing read.
  EXPECT_EQ(CinComplex(&z, u"z:"), 0xb0u);
  EXPECT_TRUE(std::isnan(z.re) && std::isnan(z.im));
}

TEST(CinCArr, CountsCapacityAndTooFewValues) {
  ScriptedStdin in("(1,2) (3,4)\n(1,2)(3,-4)\n(1,2) (3,4)\n(1,2) (3,4)\n(5,6)\n");
  COMPLEX v[5];
  Dword count = 0;
  EXPECT_EQ(CinCArr(u"v:", &count, v, 5), 0u);
  EXPECT_EQ(count, 2u);
  EXPECT_EQ(v[0], COMPLEX(1.0, 2.0));
  EXPECT_EQ(v[1], COMPLEX(3.0, 4.0));
  count = 0;
  EXPECT_EQ(CinCArrA("v:", &count, v, 5), 0u);  // values need no blank between them
  EXPECT_EQ(count, 2u);
  EXPECT_EQ(v[1], COMPLEX(3.0, -4.0));
  count = 3;
  EXPECT_EQ(CinCArr(u"v:", &count, v, 5), kErrMissingInputData);
  count = 3;
  EXPECT_EQ(CinCArrA("v:", &count, v, 5), kErrMissingArguments);
  // Bad arguments are refused before a line is read.
  count = 2;
  EXPECT_EQ(CinCArr(u"v:", &count, v, 1), kErrMissingArguments);
  count = 0;
  EXPECT_EQ(CinCArr(u"v:", &count, v, 0), kErrMissingArguments);
  EXPECT_EQ(CinCArr(u"v:", &count, nullptr, 5), kErrMissingArguments);
  EXPECT_EQ(CinCArr(u"v:", nullptr, v, 5), kErrMissingArguments);
  count = 1;
  EXPECT_EQ(CinCArr(u"v:", &count, v, 0), 0u);  // the line left unread above
  EXPECT_EQ(v[0], COMPLEX(5.0, 6.0));
}

TEST(CinCMat, RowsBecomeAColumnMajorMatrix) {
  ScriptedStdin in(
      "(1,0) (2,0)\n(3,0) (4,0)\n"                     // 2 x 2
      "(1,1) (2,2) (3,3)\n(4,4) (5,5) (6,6)\n(7,7)\n"  // width 3, third row short
      "(9,9)\n"                                        // all rows wanted, one given
      "\n");                                           // no value at all
  COMPLEX M[9];
  Dword rows = 2, cols = 2;
  ASSERT_EQ(CinCMat(u"M:", &rows, &cols, M, 1, 1), 0u);
  EXPECT_EQ(rows, 2u);
  EXPECT_EQ(cols, 2u);
  const double want[4] = {1, 3, 2, 4};
  for (int k = 0; k < 4; ++k) EXPECT_EQ(M[k], COMPLEX(want[k], 0.0)) << k;

  rows = 3;
  cols = 3;
  ASSERT_EQ(CinCMatA("M:", &rows, &cols, M, 0, 0), 0u);
  EXPECT_EQ(rows, 2u);  // the short third row ends the reading
  EXPECT_EQ(cols, 3u);
  const double want2[6] = {1, 4, 2, 5, 3, 6};
  for (int k = 0; k < 6; ++k) EXPECT_EQ(M[k], COMPLEX(want2[k], want2[k])) << k;

  rows = 2;
  cols = 1;
  EXPECT_EQ(CinCMat(u"M:", &rows, &cols, M, 1, 0), kErrMissingInputData);
  rows = 2;
  cols = 2;
  EXPECT_EQ(CinCMat(u"M:", &rows, &cols, M, 0, 0), kErrMissingInputData);
  EXPECT_EQ(rows, 2u);
  EXPECT_EQ(cols, 2u);

  rows = 0;
  EXPECT_EQ(CinCMat(u"M:", &rows, &cols, M, 0, 0), kErrMissingArguments);
  rows = 2;
  EXPECT_EQ(CinCMat(u"M:", &rows, &cols, nullptr, 0, 0), kErrMissingArguments);
}

TEST(SplitStorage, ConversionsBothWays) {
  const double split[4] = {1, 2, 3, 4};
  Dword e = 99;
  COMPLEX* c = CArrNewFromSArr(&e, 2, split);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(e, 0u);
  EXPECT_EQ(c[0], COMPLEX(1.0, 3.0));
  EXPECT_EQ(c[1], COMPLEX(2.0, 4.0));
  double* back = SArrNewFromCArr(&e, 2, c);
  ASSERT_NE(back, nullptr);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(back[i], split[i]);
  CArrKill(&c);
  RArrKill(&back);

  EXPECT_EQ(SArrNewFromCArr(&e, 3, nullptr), nullptr);
  EXPECT_EQ(e, kErrMissingInputData);
  EXPECT_EQ(CArrNewFromSArr(&e, 3, nullptr), nullptr);
  EXPECT_EQ(e, kErrMissingInputData);
  EXPECT_EQ(CArrNewFromSArr(&e, 0, split), nullptr);
  EXPECT_EQ(e, 0u);
  const COMPLEX one[1] = {{1, 2}};
  EXPECT_EQ(SArrNewFromCArr(&e, Qword{1} << 62, one), nullptr);
  EXPECT_EQ(e, kErrAlloc);
  AllocFailureGuard fail(0);
  EXPECT_EQ(SArrNewFromCArr(&e, 1, one), nullptr);
  EXPECT_EQ(e, kErrAlloc);
  EXPECT_EQ(CArrNewFromSArr(&e, 2, split), nullptr);
  EXPECT_EQ(e, kErrAlloc);
  fail.Release();

  COMPLEX d[2];
  double s[4];
  EXPECT_EQ(CArrFillFromSArr(0, nullptr, nullptr), 0u);
  EXPECT_EQ(CArrFillFromSArr(2, nullptr, d), kErrMissingInputData);
  EXPECT_EQ(CArrFillFromSArr(2, split, nullptr), kErrMissingOutputBuffer);
  EXPECT_EQ(SArrFillFromCArr(0, nullptr, nullptr), 0u);
  EXPECT_EQ(SArrFillFromCArr(1, nullptr, s), kErrMissingInputData);
  EXPECT_EQ(SArrFillFromCArr(1, one, nullptr), kErrMissingOutputBuffer);
}
