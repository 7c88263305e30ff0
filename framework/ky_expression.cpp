// Recursive-descent evaluation of cKyExpression. Every level skips blanks
// first; the first error stops the evaluation and the value computed before
// the failing operand travels back up.
#include "framework/ky_expression.h"

#include "base/number_text.h"
#include "base/platform/allocator.h"
#include "scalar/real_helpers.h"

namespace {
// Nesting beyond this would only exhaust the stack; no real expression
// comes near it.
}  // namespace

cKyExpression::cKyExpression(void* user, KyVariableValue value, KyVariableExists exists,
                             KyFunctionLookup lookup, Dword token_capacity, const char* extra_first,
                             const char* extra_name)
    : cKyParser(token_capacity, extra_first, extra_name),
      user_(user),
      value_(value),
      lookup_(lookup),
      exists_(exists) {
  Reset();
}

double cKyExpression::Evaluate(const char** text) {
  Reset();
  SetText(text ? *text : nullptr);
  const double value = Expression();
  if (text && *text) *text += Position();
  return value;
}

double cKyExpression::Expression() {
  if (AtEnd()) {
    error_ = kKyExprEmpty;
    return 0.0;
  }
  double value = Term();
  while (error_ == 0) {
    SkipWhite();
    const char op = Peek();
    if (op != '+' && op != '-') break;
    Consume();
    const double term = Term();
    if (error_ != 0) break;
    value = op == '+' ? value + term : value - term;
  }
  return value;
}

double cKyExpression::Term() {
  if (AtEnd()) {
    error_ = kKyExprEmptyTerm;
    return 0.0;
  }
  bool negate = false;
  if (Peek() == '-') {
    negate = true;
    Consume();
  }
  double value = Factor();
  if (negate) value = -value;
  while (error_ == 0) {
    SkipWhite();
    const char op = Peek();
    if (op != '*' && op != '/') break;
    Consume();
    const double factor = Factor();
    if (error_ != 0) break;
    value = op == '*' ? value * factor : value / factor;
  }
  return value;
}

double cKyExpression::Factor() {
  if (AtEnd()) {
    error_ = kKyExprEmptyFactor;
    return 0.0;
  }
  if (Peek() == '(') {
    if (depth_ >= depth_limit_) {
      error_ = kKyExprBadFactor;
      return 0.0;
    }
    Consume();
    ++depth_;
    const double value = Expression();
    if (error_ == 0) {
      SkipWhite();
      if (Peek() == ')') {
        Consume();
        --depth_;
      } else {
        error_ = kKyExprMissingParenthesis;
      }
    }
    return value;
  }
  const Dword type = NextTokenReal(nullptr, 0);
  if (type == kKyTokenNumber) return StringToRealA(Token(), nullptr, nullptr, 10);
  if (type != kKyTokenName) {
    error_ = kKyExprBadFactor;
    return 0.0;
  }
  SkipWhite();
  if (Peek() != '(') return value_ ? value_(Token(), user_) : ___NAN;
  const KyFunctionDescriptor* descriptor = lookup_ ? lookup_(Token(), user_) : nullptr;
  if (!descriptor || !descriptor->function) {
    error_ = kKyExprUnknownFunction;
    return 0.0;
  }
  if (depth_ >= depth_limit_) {
    error_ = kKyExprBadFactor;
    return 0.0;
  }
  Consume();  // the "("
  ++depth_;
  const double value = CallFunction(descriptor);
  if (error_ == 0) --depth_;
  return value;
}

double cKyExpression::CallFunction(const KyFunctionDescriptor* descriptor) {
  const Dword n = descriptor->argument_count;
  double local[8];
  double* arguments = local;
  if (n > 8) {
    arguments = static_cast<double*>(PlatformAlloc(sizeof(double) * n));
    if (!arguments) {
      error_ = kKyExprUnknownFunction;  // cannot be called without room for its arguments
      return 0.0;
    }
  }
  for (Dword i = 0; i < n && error_ == 0; ++i) {
    arguments[i] = Expression();
    SkipWhite();
    if (error_ == 0 && Peek() == ',') Consume();
  }
  double value = 0.0;
  if (error_ == 0) {
    SkipWhite();
    if (Peek() == ')') Consume();
    value = descriptor->function(arguments);
  }
  if (arguments != local) PlatformFree(arguments);
  return value;
}
