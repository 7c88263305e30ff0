// The exported real constants, by exact bit pattern.
#include <bit>

#include "base/ieee.h"

namespace {
constexpr double Bits(Qword bits) { return std::bit_cast<double>(bits); }
}  // namespace

VELTRIA_API constinit const double ___EpsReal = Bits(0x3CB0000000000000);
VELTRIA_API constinit const double ___2EpsReal = Bits(0x3CC0000000000000);
VELTRIA_API constinit const double ___5EpsReal = Bits(0x3CD4000000000000);
VELTRIA_API constinit const double ___SqrtEpsReal = Bits(0x3E50000000000000);
VELTRIA_API constinit const double ___Root3EpsReal = Bits(0x3ED965FEA53D6E3D);
VELTRIA_API constinit const double ___Root4EpsReal = Bits(0x3F20000000000000);
VELTRIA_API constinit const double ___Root5EpsReal = Bits(0x3F48406003B2AE5C);
VELTRIA_API constinit const double ___LnEpsReal = Bits(0xC04205966F2B4F12);
VELTRIA_API constinit const double ___MaxReal = Bits(0x7FEFFFFFFFFFFFFF);
VELTRIA_API constinit const double ___SqrtMaxReal = Bits(0x5FF0000000000000);
VELTRIA_API constinit const double ___Root3MaxReal = Bits(0x554428A2F98D728B);
VELTRIA_API constinit const double ___Root4MaxReal = Bits(0x4FF0000000000000);
VELTRIA_API constinit const double ___Root5MaxReal = Bits(0x4CBBDB8CDADBE120);
VELTRIA_API constinit const double ___LnMaxReal = Bits(0x40862E42FEFA39EF);
VELTRIA_API constinit const double ___MinReal = Bits(0x0004000000000000);
VELTRIA_API constinit const double ___SqrtMinReal = Bits(0x1FF0000000000000);
VELTRIA_API constinit const double ___LnMinReal = Bits(0xC0862E42FEFA39EF);
VELTRIA_API constinit const double ___MinRegularReal = Bits(0x0330000000000000);
// Set before any code runs: the values are in the data image itself.
VELTRIA_API constinit const double ___NAN = Bits(0x7FF8000000000000);
VELTRIA_API constinit const double ___PlsINF = Bits(0x7FF0000000000000);
VELTRIA_API constinit const double ___MnsINF = Bits(0xFFF0000000000000);
