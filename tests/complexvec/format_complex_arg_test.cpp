// COMPLEX values travel through the formatter's argument list by value and
// by address, single and as column-major matrices.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <type_traits>

#include "base/format.h"
#include "base/format_engine.h"
#include "base/memory.h"
#include "complexvec/complex.h"

namespace {

static_assert(std::is_trivially_copyable_v<COMPLEX>);
static_assert(sizeof(COMPLEX) == sizeof(FormatComplexValue));
static_assert(offsetof(COMPLEX, re) == offsetof(FormatComplexValue, re));
static_assert(offsetof(COMPLEX, im) == offsetof(FormatComplexValue, im));

std::string Take(char* s) {
  std::string r = s ? s : "<null>";
  KillStringA(&s);
  return r;
}

TEST(FormatComplexArguments, ByValueByAddressAndMatrices) {
  const COMPLEX a(1.5, -0.25), b(-2.0, 3.0);
  // Mixed with reals and integers, so every register class is in play.
  EXPECT_EQ(Take(NewSprintfA("%d|%C|%g|%Z|%d", 7, a, 0.5, b, 9)),
            "7|1.500000 -0.250000*i|0.500000|-2.000000 +3.000000*i|9");
  EXPECT_EQ(Take(NewSprintfA("%&Z", &b)), "-2.000000 +3.000000*i");
  const COMPLEX m[] = {COMPLEX(1.0, 0.0), COMPLEX(0.0, 1.0), COMPLEX(2.0, -2.0),
                       COMPLEX(-1.0, 0.5)};
  EXPECT_EQ(Take(NewSprintfA("%.1C\xA7"
                             "2\xA7"
                             "2",
                             m)),
            "\n1.0 +0.0*i\t2.0 -2.0*i\n0.0 +1.0*i\t-1.0 +0.5*i");
  // Many by-value records: past the registers, on the stack.
  EXPECT_EQ(Take(NewSprintfA("%.0Z %.0Z %.0Z %.0Z %.0Z %.0Z", a, b, a, b, a, b)),
            "1 -0*i -2 +3*i 1 -0*i -2 +3*i 1 -0*i -2 +3*i");
  char16_t* w = NewSprintf(u"%Z", a);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(std::u16string(w), u"1.500000 -0.250000*i");
  KillString(&w);
}

}  // namespace
