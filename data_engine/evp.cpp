// The evaluation record: initial values, release, flags, the parameter
// readers and the report text.
#include "data_engine/evp.h"

#include <cmath>
#include <cstdarg>
#include <cstring>

#include "base/double_to_int.h"
#include "base/memory.h"
#include "base/platform/c_number.h"
#include "data_engine/engine_text.h"

namespace {

// The bounds [begin, end) of parameter `index` as it stands; false when the
// list is shorter or absent.
bool ParameterBounds(const Evp* evp, Qword index, const char** begin, const char** end) {
  if (!evp || !evp->parameters) return false;
  const char* p = evp->parameters;
  for (Qword i = 0; i < index; ++i) {
    p = std::strchr(p, ',');
    if (!p) return false;
    ++p;
  }
  const char* comma = std::strchr(p, ',');
  *begin = p;
  *end = comma ? comma : p + std::strlen(p);
  return true;
}

// The parameter without blanks at both ends; false when missing or empty.
bool TrimmedParameter(const Evp* evp, Qword index, const char** begin, const char** end) {
  if (!ParameterBounds(evp, index, begin, end)) return false;
  while (*begin < *end && EngineIsBlank(**begin)) ++*begin;
  while (*end > *begin && EngineIsBlank((*end)[-1])) --*end;
  return *begin < *end;
}

// The decimal value of the trimmed parameter; NaN when it is not a number.
double ParameterValue(const char* begin, const char* end) {
  char buffer[128];
  const Qword n = static_cast<Qword>(end - begin);
  if (n >= sizeof buffer) return std::nan("");
  std::memcpy(buffer, begin, n);
  buffer[n] = '\0';
  const PlatformRealParse r = PlatformTextToReal(buffer);
  if (r.consumed != n) return std::nan("");
  return r.value;
}

double RoundHalfAway(double v) { return v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5); }

}  // namespace

VELTRIA_API void InitEvp(Evp* evp) {
  if (!evp) return;
  evp->id = kNoIndex;
  evp->flags = 0;
  evp->mode = 0;
  evp->level = 0;
  evp->zone = kNoIndex;
  evp->block = kNoIndex;
  evp->label = nullptr;
  evp->parameters = nullptr;
  evp->caller_matrix = nullptr;
  evp->fit_progress = nullptr;
  evp->report = nullptr;
  evp->window_first = 0;
  evp->window_last = 0;
  evp->phase0 = 0.0;
  evp->phase1 = 0.0;
  evp->scale = 1.0;
  evp->coefficient_count = 0;
  evp->coefficients = nullptr;
  evp->quantity = 0.0;
  evp->mean_decay = 0.0;
  evp->result_pointer = nullptr;
}

void ReleaseEvp(Evp* evp) {
  if (!evp) return;
  KillPtr(&evp->label);
  KillPtr(&evp->parameters);
  KillPtr(&evp->report);
  KillPtr(&evp->coefficients);
  evp->coefficient_count = 0;
}

VELTRIA_API Dword SetEvpFlags(Evp* evp, Dword bits) { return evp ? (evp->flags |= bits) : 0; }

VELTRIA_API Dword ClearEvpFlags(Evp* evp, Dword bits) { return evp ? (evp->flags &= ~bits) : 0; }

VELTRIA_API Dword TestEvpFlags(Evp* evp, Dword bits) { return evp ? (evp->flags & bits) : 0; }

VELTRIA_API char* NewGetEvpParameterAsString(Evp* evp, Qword index) {
  const char *begin, *end;
  if (!ParameterBounds(evp, index, &begin, &end)) return nullptr;
  LibErrorCode e = kErrNone;
  return EngineCopyRangeA(begin, static_cast<Qword>(end - begin), &e);
}

VELTRIA_API double GetEvpParameterAsReal(Evp* evp, Qword index) {
  const char *begin, *end;
  if (!TrimmedParameter(evp, index, &begin, &end)) return std::nan("");
  return ParameterValue(begin, end);
}

VELTRIA_API Qword GetEvpParameterAsQword(Evp* evp, Qword index) {
  const char *begin, *end;
  if (!TrimmedParameter(evp, index, &begin, &end)) return kNoIndex;
  const double v = ParameterValue(begin, end);
  if (std::isnan(v)) return 0;
  const double r = RoundHalfAway(v);
  // Negative values ("-1") are the all-ones marker; so is anything too
  // large for the word.
  if (r < 0.0 || r >= 18446744073709551616.0) return kNoIndex;
  return DoubleToQword(r);
}

VELTRIA_API Qlong GetEvpParameterAsQlong(Evp* evp, Qword index) {
  const char *begin, *end;
  if (!TrimmedParameter(evp, index, &begin, &end)) return INT64_MIN;
  const double v = ParameterValue(begin, end);
  if (std::isnan(v)) return 0;
  return DoubleToQlong(RoundHalfAway(v));
}

VELTRIA_API Qword GetEvpIpointEpoint(Evp* evp, Qword* first, Qword* last, Qword points) {
  Qword f = 0, l = 0;
  if (points > 0) {
    const Qword end = points - 1;
    f = GetEvpParameterAsQword(evp, 0);
    l = GetEvpParameterAsQword(evp, 1);
    if (f == kNoIndex) f = 0;
    if (f > end) f = end;
    if (l == kNoIndex || l > end) l = end;
    if (l < f) {
      const Qword t = f;
      f = l;
      l = t;
    }
  }
  if (first) *first = f;
  if (last) *last = l;
  // No points, no window: procedures answer 14 for it.
  return points > 0 ? l - f + 1 : 0;
}

void EvpAppendReport(Evp* evp, const char* text) {
  if (!evp || !text || !*text) return;
  const Qword old = evp->report ? std::strlen(evp->report) : 0;
  const Qword add = std::strlen(text);
  Dword e = kErrNone;
  char* joined = NewByteArrFill(&e, old + add + 1);
  if (!joined) return;
  if (old) std::memcpy(joined, evp->report, old);
  std::memcpy(joined + old, text, add + 1);
  KillPtr(&evp->report);
  evp->report = joined;
}

void EvpAppendReportf(Evp* evp, const char* format, ...) {
  char small[512];
  va_list args;
  va_start(args, format);
  const int n = PlatformFormatC(small, sizeof small, format, args);
  va_end(args);
  if (n < 0) return;
  if (static_cast<Qword>(n) < sizeof small) {
    EvpAppendReport(evp, small);
    return;
  }
  Dword e = kErrNone;
  char* big = NewByteArrFill(&e, static_cast<Qword>(n) + 1);
  if (!big) return;
  va_start(args, format);
  PlatformFormatC(big, static_cast<Qword>(n) + 1, format, args);
  va_end(args);
  EvpAppendReport(evp, big);
  KillPtr(&big);
}
