#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>

#include "scalar/real_helpers.h"

namespace {

struct ConstantRow {
  const char* name;
  const double* value;
  Qword bits;
};

// The exported constants by exact bit pattern.
const ConstantRow kConstants[] = {
    {"___EpsReal", &___EpsReal, 0x3CB0000000000000},
    {"___2EpsReal", &___2EpsReal, 0x3CC0000000000000},
    {"___5EpsReal", &___5EpsReal, 0x3CD4000000000000},
    {"___SqrtEpsReal", &___SqrtEpsReal, 0x3E50000000000000},
    {"___Root3EpsReal", &___Root3EpsReal, 0x3ED965FEA53D6E3D},
    {"___Root4EpsReal", &___Root4EpsReal, 0x3F20000000000000},
    {"___Root5EpsReal", &___Root5EpsReal, 0x3F48406003B2AE5C},
    {"___LnEpsReal", &___LnEpsReal, 0xC04205966F2B4F12},
    {"___MaxReal", &___MaxReal, 0x7FEFFFFFFFFFFFFF},
    {"___SqrtMaxReal", &___SqrtMaxReal, 0x5FF0000000000000},
    {"___Root3MaxReal", &___Root3MaxReal, 0x554428A2F98D728B},
    {"___Root4MaxReal", &___Root4MaxReal, 0x4FF0000000000000},
    {"___Root5MaxReal", &___Root5MaxReal, 0x4CBBDB8CDADBE120},
    {"___LnMaxReal", &___LnMaxReal, 0x40862E42FEFA39EF},
    {"___MinReal", &___MinReal, 0x0004000000000000},
    {"___SqrtMinReal", &___SqrtMinReal, 0x1FF0000000000000},
    {"___LnMinReal", &___LnMinReal, 0xC0862E42FEFA39EF},
    {"___MinRegularReal", &___MinRegularReal, 0x0330000000000000},
    {"___NAN", &___NAN, 0x7FF8000000000000},
    {"___PlsINF", &___PlsINF, 0x7FF0000000000000},
    {"___MnsINF", &___MnsINF, 0xFFF0000000000000},
};

TEST(RealConstants, ExactBitPatterns) {
  for (const auto& c : kConstants) EXPECT_EQ(std::bit_cast<Qword>(*c.value), c.bits) << c.name;
}

// The stored decimal approximations agree with what they stand for.
TEST(RealConstants, ValuesMeanWhatTheirNamesSay) {
  const double eps = std::ldexp(1.0, -52);
  EXPECT_NEAR(___Root3EpsReal, std::cbrt(eps), 2 * eps * ___Root3EpsReal);
  EXPECT_NEAR(___Root5EpsReal, std::pow(eps, 0.2), 4 * eps * ___Root5EpsReal);
  EXPECT_NEAR(___LnEpsReal, std::log(eps), 4 * eps * 36.1);
  EXPECT_NEAR(___Root3MaxReal, std::cbrt(___MaxReal), 4 * eps * ___Root3MaxReal);
  // The stored fifth root is a coarser approximation than the others.
  EXPECT_NEAR(___Root5MaxReal, std::pow(___MaxReal, 0.2), 1e-13 * ___Root5MaxReal);
  EXPECT_NEAR(___LnMaxReal, std::log(___MaxReal), 4 * eps * 710);
  EXPECT_EQ(___LnMinReal, -___LnMaxReal);
}

// A static initialiser elsewhere already sees the special values.
const Qword kNanSeenAtStartup = std::bit_cast<Qword>(___NAN);
TEST(RealConstants, SpecialValuesAreSetBeforeAnyInitialiserRuns) {
  EXPECT_EQ(kNanSeenAtStartup, 0x7FF8000000000000u);
}

}  // namespace
