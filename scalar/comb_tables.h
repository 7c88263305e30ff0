// The constant tables of the integer sequences, every entry that fits in
// 64 bits unsigned. Built at compile time from the defining recurrences, so
// no digit is typed by hand; the tests check them against exact arithmetic.
#pragma once
#include <array>

#include "base/types.h"

namespace comb_tables_detail {

constexpr std::array<Qword, 21> MakeFactorials() {
  std::array<Qword, 21> t{};
  t[0] = 1;
  for (Qword n = 1; n < t.size(); ++n) t[n] = t[n - 1] * n;
  return t;
}

constexpr std::array<Qword, 34> MakeDoubleFactorials() {
  std::array<Qword, 34> t{};
  t[0] = 1;
  t[1] = 1;
  for (Qword n = 2; n < t.size(); ++n) t[n] = t[n - 2] * n;
  return t;
}

// Segner's recurrence C_(n+1) = sum C_i C_(n-i): every term is at most the
// result, so nothing wraps while the result fits.
constexpr std::array<Qword, 37> MakeCatalan() {
  std::array<Qword, 37> t{};
  t[0] = 1;
  for (Qword n = 0; n + 1 < t.size(); ++n) {
    Qword s = 0;
    for (Qword i = 0; i <= n; ++i) s += t[i] * t[n - i];
    t[n + 1] = s;
  }
  return t;
}

// Bell triangle: each row starts with the last entry of the row above and
// adds the entry above-left; the first entries of the rows are B_n.
constexpr std::array<Qword, 26> MakeBell() {
  std::array<Qword, 26> t{};
  std::array<Qword, 26> row{};
  row[0] = 1;
  t[0] = 1;
  for (Qword n = 1; n < t.size(); ++n) {
    std::array<Qword, 26> next{};
    next[0] = row[n - 1];
    for (Qword j = 1; j <= n; ++j) next[j] = next[j - 1] + row[j - 1];
    row = next;
    t[n] = row[0];
  }
  return t;
}

// Seidel's boustrophedon triangle gives the zigzag numbers A_n; the secant
// numbers |E_2m| are A_2m. Every entry of row n is at most A_n.
constexpr std::array<Qword, 13> MakeEuler() {
  std::array<Qword, 13> t{};
  std::array<Qword, 25> row{};
  row[0] = 1;
  t[0] = 1;
  for (Qword n = 1; n <= 24; ++n) {
    std::array<Qword, 25> next{};
    if (n % 2 == 1) {
      next[0] = 0;
      for (Qword j = 1; j <= n; ++j) next[j] = next[j - 1] + row[j - 1];
    } else {
      next[n] = 0;
      for (Qword j = n; j-- > 0;) next[j] = next[j + 1] + row[j];
    }
    row = next;
    if (n % 2 == 0) t[n / 2] = row[0];
  }
  return t;
}

template <Qword N>
constexpr std::array<Qword, N> MakeFibonacciLike(Qword first, Qword second) {
  std::array<Qword, N> t{};
  t[0] = first;
  t[1] = second;
  for (Qword n = 2; n < N; ++n) t[n] = t[n - 1] + t[n - 2];
  return t;
}

}  // namespace comb_tables_detail

inline constexpr std::array<Qword, 21> FactorialTable = comb_tables_detail::MakeFactorials();
inline constexpr std::array<Qword, 34> DoubleFactorialTable =
    comb_tables_detail::MakeDoubleFactorials();
inline constexpr std::array<Qword, 37> CatalanTable = comb_tables_detail::MakeCatalan();
inline constexpr std::array<Qword, 13> EulerTable = comb_tables_detail::MakeEuler();
inline constexpr std::array<Qword, 26> BellTable = comb_tables_detail::MakeBell();
inline constexpr std::array<Qword, 94> FibonacciTable =
    comb_tables_detail::MakeFibonacciLike<94>(0, 1);
inline constexpr std::array<Qword, 93> LucasTable = comb_tables_detail::MakeFibonacciLike<93>(2, 1);

// Guards against a recurrence that silently wrapped: the last entries.
static_assert(FactorialTable[20] == 2432902008176640000ull);
static_assert(DoubleFactorialTable[33] == 6332659870762850625ull);
static_assert(EulerTable[12] == 15514534163557086905ull);
static_assert(FibonacciTable[93] == 12200160415121876738ull);
