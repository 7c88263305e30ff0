// The vector build of the exponential (see wide_exp.h): the table-driven
// method of the C library's exponential on processors with fused
// multiply-add, step for step, four values at a time. With N = 128 and
// k = round(x N / ln 2), x = k ln 2 / N + r with |r| <= ln 2 / 2N, and
// exp(x) = 2^(k/N) exp(r) = scale (1 + tail + r + r^2 (C2 + r C3) +
// r^4 (C4 + r C5)), the scale and tail from the table of 2^(j/N). Each
// fused multiply-add below stands where the library's build has one, so
// every result is the library's to the bit; values with |x| < 2^-54 or
// |x| >= 512 (the library's special cases) take std::exp.
#include "arrays/wide_exp.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>

#include <cmath>
#include <cstring>

#include "arrays/exp_table.h"

#define VELTRIA_AVX2_FMA __attribute__((target("avx2,fma")))

namespace wide {
namespace {

// The reduction and the polynomial of the method.
constexpr double kInvLn2N = 0x1.71547652b82fep7;  // N / ln 2
constexpr double kNegLn2HiN = -0x1.62e42fefa0000p-8;
constexpr double kNegLn2LoN = -0x1.cf79abc9e3b3ap-47;
constexpr double kShift = 0x1.8p52;
constexpr double kC2 = 0x1.ffffffffffdbdp-2;
constexpr double kC3 = 0x1.555555555543cp-3;
constexpr double kC4 = 0x1.55555cf172b91p-5;
constexpr double kC5 = 0x1.1111167a4d017p-7;

VELTRIA_AVX2_FMA __m256d Exp4(__m256d x) {
  const __m256d shift = _mm256_set1_pd(kShift);
  __m256d kd = _mm256_fmadd_pd(x, _mm256_set1_pd(kInvLn2N), shift);
  const __m256i ki = _mm256_castpd_si256(kd);
  kd = _mm256_sub_pd(kd, shift);
  __m256d r = _mm256_fmadd_pd(kd, _mm256_set1_pd(kNegLn2HiN), x);
  r = _mm256_fmadd_pd(kd, _mm256_set1_pd(kNegLn2LoN), r);
  // Entry pair ki mod N of the table: the tail and the scale's bits less
  // the exponent that ki << 45 adds.
  const __m256i pair = _mm256_slli_epi64(_mm256_and_si256(ki, _mm256_set1_epi64x(127)), 1);
  const auto* table = reinterpret_cast<const long long*>(kExpTable);
  const __m256d tail = _mm256_castsi256_pd(_mm256_i64gather_epi64(table, pair, 8));
  const __m256i sbits =
      _mm256_add_epi64(_mm256_i64gather_epi64(table + 1, pair, 8), _mm256_slli_epi64(ki, 45));
  const __m256d r2 = _mm256_mul_pd(r, r);
  const __m256d p23 = _mm256_fmadd_pd(r, _mm256_set1_pd(kC3), _mm256_set1_pd(kC2));
  const __m256d p45 = _mm256_fmadd_pd(r, _mm256_set1_pd(kC5), _mm256_set1_pd(kC4));
  const __m256d low = _mm256_fmadd_pd(p23, r2, _mm256_add_pd(r, tail));
  const __m256d tmp = _mm256_fmadd_pd(_mm256_mul_pd(r2, r2), p45, low);
  const __m256d scale = _mm256_castsi256_pd(sbits);
  return _mm256_fmadd_pd(scale, tmp, scale);
}

// Lanes outside 2^-54 <= |x| < 512: the biased exponent below 0x3c9 or
// above 0x407.
VELTRIA_AVX2_FMA int SpecialLanes(__m256d x) {
  const __m256i top =
      _mm256_and_si256(_mm256_srli_epi64(_mm256_castpd_si256(x), 52), _mm256_set1_epi64x(0x7FF));
  const __m256i out = _mm256_or_si256(_mm256_cmpgt_epi64(top, _mm256_set1_epi64x(0x407)),
                                      _mm256_cmpgt_epi64(_mm256_set1_epi64x(0x3C9), top));
  return _mm256_movemask_pd(_mm256_castsi256_pd(out));
}

VELTRIA_AVX2_FMA void VectorExp(Qword n, const double* x, double* out) {
  Qword i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m256d v = _mm256_loadu_pd(x + i);
    const int special = SpecialLanes(v);
    const __m256d e = Exp4(v);
    if (special == 0) {
      _mm256_storeu_pd(out + i, e);
    } else {
      double lanes[4], in[4];
      _mm256_storeu_pd(lanes, e);
      _mm256_storeu_pd(in, v);
      for (int l = 0; l < 4; ++l) out[i + l] = special >> l & 1 ? std::exp(in[l]) : lanes[l];
    }
  }
  for (; i < n; ++i) out[i] = std::exp(x[i]);
}

// Values across the whole range of the vector path and its edges; the
// library's build without fused multiply-add differs from this one in the
// last bit of a good share of them.
bool SameAsTheLibrary() {
  constexpr int kSamples = 4096;
  double x[kSamples], mine[kSamples];
  for (int s = 0; s < kSamples; ++s) {
    const double f =
        s * 0.6180339887498949 - static_cast<double>(static_cast<int>(s * 0.6180339887498949));
    x[s] = (2 * f - 1) * 520;
  }
  x[0] = 0x1p-54;
  x[1] = -0x1p-54;
  x[2] = 511.9999999999999;
  x[3] = -511.9999999999999;
  VectorExp(kSamples, x, mine);
  for (int s = 0; s < kSamples; ++s) {
    const double want = std::exp(x[s]);
    if (std::memcmp(&want, &mine[s], sizeof want) != 0) return false;
  }
  return true;
}

}  // namespace

ExpArrayFunction Avx2ExpIfSupported() {
  __builtin_cpu_init();
  if (!__builtin_cpu_supports("avx2") || !__builtin_cpu_supports("fma")) return nullptr;
  return SameAsTheLibrary() ? VectorExp : nullptr;
}

}  // namespace wide

#else

wide::ExpArrayFunction wide::Avx2ExpIfSupported() { return nullptr; }

#endif
