// Templates of comparison and skip-table search shared by the text
// families (lists, comments, the exported search). Internal.
#pragma once
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/string_core.h"

namespace str {

// Order of two characters: wide codes as unsigned values, bytes as signed.
inline Long Order(char16_t a, char16_t b) { return a < b ? -1 : (a > b ? 1 : 0); }
inline Long Order(char a, char b) {
  const signed char x = static_cast<signed char>(a), y = static_cast<signed char>(b);
  return x < y ? -1 : (x > y ? 1 : 0);
}

template <class Ch>
bool AllBlank(const Ch* text) {
  for (; *text; ++text)
    if (!IsBlank(*text)) return false;
  return true;
}

template <class Ch>
Long Compare(const Ch* a, const Ch* b, Dword flags, Ch wildcard) {
  a = Safe(a);
  b = Safe(b);
  if (!*a) return *b ? -1 : 0;
  if (!*b) return 1;
  if (flags & 0x2) {
    // Both sides lose their blanks, so that an all-blank text equals itself.
    while (*a && IsBlank(*a)) ++a;
    while (*b && IsBlank(*b)) ++b;
  }
  // A rest left over on one side decides, unless it is blank with flag 4.
  auto rest = [flags](const Ch* tail, Long value) {
    return (flags & 0x4) && AllBlank(tail) ? 0 : value;
  };
  for (;; ++a, ++b) {
    if (!*a) return *b ? rest(b, -1) : 0;
    if (!*b) return rest(a, 1);
    if (*a == *b || (wildcard && *a == wildcard)) continue;
    Ch x = *a, y = *b;
    if (flags & 0x1) {
      x = ToUpper(x);
      y = ToUpper(y);
    }
    if (x != y) return Order(x, y);
  }
}

inline unsigned LowByte(char16_t c) { return c & 0xFF; }
inline unsigned LowByte(char c) { return static_cast<unsigned char>(c); }

template <class Ch>
void SkipTable(const Ch* pattern, Qword length, Qword* table) {
  for (int i = 0; i < 256; ++i) table[i] = length;
  for (Qword i = 0; i < length; ++i) table[LowByte(pattern[i])] = length - 1 - i;
}

template <class Ch>
void SkipTableEx(const Ch* pattern, Qword length, Dword flags, Ch wildcard, Qword* table) {
  for (int i = 0; i < 256; ++i) table[i] = length;
  for (Qword i = 0; i < length; ++i) {
    const Qword shift = length - 1 - i;
    const Ch c = pattern[i];
    if (wildcard && c == wildcard) {
      // Later positions only lower entries, so this caps every shift here.
      for (int j = 0; j < 256; ++j) table[j] = shift;
      continue;
    }
    table[LowByte(c)] = shift;
    if (flags & 0x1) {
      table[LowByte(ToUpper(c))] = shift;
      table[LowByte(ToLower(c))] = shift;
    }
  }
}

// The skip-table search: compares from the end of the pattern backward;
// on a mismatch at text index k and pattern index i the text index moves
// on by max(table[text[k]], m - i), at least one window place. Gives the
// start index of the first match, or kNoIndex. Requires 1 <= m.
template <class Ch, class Match>
Qword SkipSearch(const Ch* text, Qword n, const Ch* pattern, Qword m, const Qword* table,
                 Match match) {
  if (m > n) return kNoIndex;
  // An entry above m could only skip a match, one of 0 would stall.
  auto step = [table, m](Ch c, Qword least) {
    const Qword s = table[LowByte(c)];
    return s < least ? least : (s > m ? m : s);
  };
  Qword k = m - 1;
  const Ch last = pattern[m - 1];
  for (;;) {
    // Windows whose last place does not match move on by the table alone.
    while (!match(text[k], last)) {
      k += step(text[k], 1);
      if (k >= n) return kNoIndex;
    }
    Qword i = m - 1, j = k;
    while (i > 0 && match(text[j - 1], pattern[i - 1])) --j, --i;
    if (i == 0) return j;
    k = j - 1;  // the mismatch, at pattern index i - 1
    k += step(text[k], m - i + 1);
    if (k >= n) return kNoIndex;
  }
}

template <class Ch, class Match>
bool WindowMatches(const Ch* window, const Ch* pattern, Qword m, Match match) {
  for (Qword i = 0; i < m; ++i)
    if (!match(window[i], pattern[i])) return false;
  return true;
}

// Without a caller's table, 8-bit text is scanned sixteen window starts at
// a time for its first and last pattern byte (either ASCII case with
// `fold`), and only those candidates are compared in full. Requires
// 1 <= m <= n; gives the first match like the skip-table search.
template <class Match>
Qword PairScan(const char* text, Qword n, const char* pattern, Qword m, bool fold, Match match) {
  const Qword last_start = n - m;
  Qword p = 0;
  (void)fold;
#if defined(__SSE2__)
  // Or-ing 0x20 into a byte maps only 'A' and 'a' (and so on) together.
  auto target = [fold](char c, __m128i& value, __m128i& bit) {
    const char b = fold && IsLetter(c) ? 0x20 : 0;
    bit = _mm_set1_epi8(b);
    value = _mm_set1_epi8(static_cast<char>(c | b));
  };
  __m128i first, first_bit, last, last_bit;
  target(pattern[0], first, first_bit);
  target(pattern[m - 1], last, last_bit);
  for (; p <= last_start && last_start - p >= 15; p += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + p));
    const __m128i z = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + p + m - 1));
    const __m128i hit = _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(a, first_bit), first),
                                      _mm_cmpeq_epi8(_mm_or_si128(z, last_bit), last));
    for (unsigned bits = static_cast<unsigned>(_mm_movemask_epi8(hit)); bits; bits &= bits - 1) {
      const Qword at = p + static_cast<Qword>(__builtin_ctz(bits));
      if (WindowMatches(text + at, pattern, m, match)) return at;
    }
  }
#endif
  for (; p <= last_start; ++p)
    if (WindowMatches(text + p, pattern, m, match)) return p;
  return kNoIndex;
}

template <class Ch>
const Ch* Locate(const Ch* text, const Ch* pattern, Qword n, Qword m, const Qword* table) {
  if (!text) return nullptr;
  if (!pattern) return text;
  if (n == 0) n = Len(text);
  if (m == 0) m = Len(pattern);
  if (m == 0) return text;
  if (n < m) return nullptr;
  auto same = [](Ch t, Ch p) { return t == p; };
  if constexpr (sizeof(Ch) == 1) {
    if (!table) {
      const Qword at = PairScan(text, n, pattern, m, false, same);
      return at == kNoIndex ? nullptr : text + at;
    }
  }
  Qword own[256];
  if (!table) {
    SkipTable(pattern, m, own);
    table = own;
  }
  const Qword at = SkipSearch(text, n, pattern, m, table, same);
  return at == kNoIndex ? nullptr : text + at;
}

template <class Ch>
const Ch* LocateEx(const Ch* text, const Ch* pattern, Qword n, Qword m, Dword flags, Ch wildcard,
                   const Qword* table) {
  if (!text) return nullptr;
  if (!pattern) return text;
  if (m == 0) m = Len(pattern);
  if (m == 0) return text;
  if (n == 0) n = Len(text);
  if (n == 0 || n < m) return nullptr;
  Qword lead = 0, trail = 0;
  if (wildcard) {
    while (lead < m && pattern[lead] == wildcard) ++lead;
    if (lead == m) return text;
    while (pattern[m - 1 - trail] == wildcard) ++trail;
  }
  const Ch* core = pattern + lead;
  const Qword mc = m - lead - trail;
  // The dropped wildcards need their places on both sides of the match, so
  // the core is sought where a whole match can start and end.
  const Ch* area = text + lead;
  const Qword span = n - lead - trail;
  const bool fold = flags & 0x1;
  auto folded = [wildcard](Ch t, Ch p) {
    return (wildcard && p == wildcard) || ToUpper(t) == ToUpper(p);
  };
  auto exact = [wildcard](Ch t, Ch p) { return t == p || (wildcard && p == wildcard); };
  Qword at;
  if constexpr (sizeof(Ch) == 1) {
    if (!table) {
      at = fold ? PairScan(area, span, core, mc, true, folded)
                : PairScan(area, span, core, mc, false, exact);
      return at == kNoIndex ? nullptr : text + at;
    }
  }
  Qword own[256];
  if (!table) {
    SkipTableEx(core, mc, flags, wildcard, own);
    table = own;
  }
  at = fold ? SkipSearch(area, span, core, mc, table, folded)
            : SkipSearch(area, span, core, mc, table, exact);
  return at == kNoIndex ? nullptr : text + at;
}

}  // namespace str
