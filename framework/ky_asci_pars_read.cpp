// Reading the parameter store: values as texts, numbers and arrays,
// iteration over the entries, and evaluation of expression values.
#include <cmath>
#include <cstring>

#include "base/error_codes.h"
#include "base/number_text.h"
#include "base/string_groom.h"
#include "framework/ky_asci_pars.h"
#include "framework/ky_expression.h"
#include "scalar/int_helpers.h"
#include "scalar/real_helpers.h"

namespace {

constexpr char kCr = '\r';
constexpr Qword kNameLimit = 1023;
constexpr Qword kValueLimit = 1023;
constexpr Qword kEntryValueLimit = 4095;
constexpr Dword kExpressionTokenCapacity = 256;
// Values that refer to each other: the nesting and the number of variable
// reads under one outer evaluation are bounded, beyond them NaN, so cycles
// and exponential fan-out end quickly.
constexpr Dword kMaxEvalDepth = 64;
constexpr Dword kMaxVariableReads = 10000;

// Copies from `p` up to a stop character (or NUL) into `out`, at most
// `limit` characters, and returns where the copied field ends in the text.
const char* CopyField(const char* p, char* out, Qword limit, bool stop_at_equals) {
  Qword n = 0;
  for (; *p && *p != kCr && !(stop_at_equals && *p == '='); ++p)
    if (n < limit) out[n++] = *p;
  out[n] = 0;
  return p;
}

}  // namespace

Qlong cKyAsciPars::GetString(const char* name, char* value) const {
  if (value) value[0] = 0;
  const Qlong found = Find(name);
  if (found < 0) return -1;
  if (value) CopyField(text_ + found, value, kValueLimit, true);
  const Qword end = EntryEnd(static_cast<Qword>(found));
  return static_cast<Qlong>(end < used_ ? end + 1 : end);
}

Qlong cKyAsciPars::GetEntryAt(Qlong position, char* name, char* value, char* extra) const {
  if (!name || !value || !extra) return -1;
  name[0] = value[0] = extra[0] = 0;
  if (!text_ || position < 0 || static_cast<Qword>(position) >= used_) return -1;
  const void* cr = std::memchr(text_ + position, kCr, static_cast<size_t>(used_ - position));
  if (!cr) return -1;
  const char* p = static_cast<const char*>(cr) + 1;
  if (*p == 0) return -1;
  p = CopyField(p, name, kNameLimit, true);
  if (*p == '=') {
    p = CopyField(p + 1, value, kEntryValueLimit, true);
    if (*p == '=') p = CopyField(p + 1, extra, kNameLimit, false);
  }
  return p - text_;
}

double cKyAsciPars::GetReal(const char* name) const {
  char value[kValueLimit + 1];
  if (GetString(name, value) < 0) return ___NAN;
  StringGroomA(value, 0);
  if (value[0] == '(') return Evaluate(value);
  return StringToRealA(value, nullptr, nullptr, 10);
}

Qword cKyAsciPars::GetUnsigned(const char* name) const {
  const double x = GetReal(name);
  if (std::isnan(x) || x < 0) return ~Qword{0};
  return uRealRoundToQword(x, nullptr);
}

LibErrorCode cKyAsciPars::GetRealArray(const char* name, double* values, Qword count) const {
  const Qlong found = Find(name);
  if (found < 0) return kErrNotThisListItem;
  if (count > 0 && !values) return kErrMissingOutputBuffer;
  const char* p = text_ + found;
  for (Qword i = 0; i < count; ++i) {
    // Signs and points before the digit are skipped: "-1.5" reads as 1.5.
    while (*p && *p != kCr && *p != '=' && !(*p >= '0' && *p <= '9')) ++p;
    if (!(*p >= '0' && *p <= '9')) return kErrWrongInputFormat;
    Qword used = 0;
    values[i] = StringToRealA(p, nullptr, &used, 10);
    if (rIsNAN(values[i]) || used == 0) return kErrWrongInputFormat;
    p += used;
  }
  return kErrNone;
}

double cKyAsciPars::VariableValue(const char* name, void* user) {
  const cKyAsciPars* store = static_cast<const cKyAsciPars*>(user);
  if (store->eval_budget_ == 0) return ___NAN;
  --store->eval_budget_;
  // A value read here may be an expression itself: it may only nest as deep
  // as the asking evaluator has left.
  const Dword kept = store->eval_depth_used_;
  const cKyExpression* asking = store->eval_active_;
  if (asking) store->eval_depth_used_ = kept + asking->Depth() + 1;
  const double value = store->GetReal(name);
  store->eval_depth_used_ = kept;
  store->eval_active_ = asking;
  return value;
}

double cKyAsciPars::Evaluate(const char* expression) const {
  if (!expression) return ___NAN;
  if (eval_depth_ == 0) {
    eval_budget_ = kMaxVariableReads;
    eval_depth_used_ = 0;
  }
  if (eval_depth_ >= kMaxEvalDepth || eval_depth_used_ >= kKyExprMaxDepth) return ___NAN;
  ++eval_depth_;
  cKyExpression evaluator(const_cast<cKyAsciPars*>(this), VariableValue, nullptr, nullptr,
                          kExpressionTokenCapacity, nullptr, nullptr);
  // One budget of nesting for this evaluation and all it starts, so values
  // that refer to each other through deep parentheses cannot overflow the
  // stack (64 nested evaluations of 1000 levels each could before).
  evaluator.SetDepthLimit(kKyExprMaxDepth - eval_depth_used_);
  const cKyExpression* kept_active = eval_active_;
  eval_active_ = &evaluator;
  const char* p = expression;
  double value = evaluator.Evaluate(&p);
  eval_active_ = kept_active;
  --eval_depth_;
  // A failed evaluation has no value, whatever the evaluator computed
  // before the failing operand.
  if (evaluator.ErrorCode() != 0) value = ___NAN;
  return value;
}
