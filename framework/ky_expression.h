// Arithmetic expressions by recursive descent on cKyParser: + - * /,
// parentheses, unary minus, numbers, variables and functions. Variables and
// functions come from the owner through callbacks.
#pragma once
#include "framework/ky_parser.h"

// A function the evaluator can call: its argument count and its body.
struct KyFunctionDescriptor {
  Dword argument_count;
  double (*function)(const double* arguments);
};

typedef double (*KyVariableValue)(const char* name, void* user);
typedef bool (*KyVariableExists)(const char* name, void* user);
typedef const KyFunctionDescriptor* (*KyFunctionLookup)(const char* name, void* user);

// Deepest nesting of parentheses and function calls one evaluation accepts.
inline constexpr Dword kKyExprMaxDepth = 1000;

// Error codes of the evaluation (0 none).
enum : Dword {
  kKyExprMissingParenthesis = 1,
  kKyExprBadFactor = 2,
  kKyExprEmptyFactor = 3,
  kKyExprEmptyTerm = 4,
  kKyExprEmpty = 5,
  kKyExprUnknownFunction = 6,
};

class cKyExpression : public cKyParser {
 public:
  // The exists callback is kept for the owner and not consulted here.
  cKyExpression(void* user, KyVariableValue value, KyVariableExists exists, KyFunctionLookup lookup,
                Dword token_capacity, const char* extra_first, const char* extra_name);
  ~cKyExpression() override = default;

  void Reset() {
    error_ = 0;
    depth_ = 0;
  }
  // Evaluates one expression from *text and advances *text past what it
  // consumed. On an error the value computed before the failing operand is
  // returned and ErrorCode() says what went wrong.
  double Evaluate(const char** text);
  Dword ErrorCode() const { return error_; }
  Dword Depth() const { return depth_; }
  // Nesting of parentheses and calls allowed to this evaluation (at most
  // kKyExprMaxDepth); an owner whose variables evaluate further expressions
  // hands each nested evaluator what the enclosing ones left, so the stack
  // stays bounded across all of them.
  void SetDepthLimit(Dword limit) {
    depth_limit_ = limit < kKyExprMaxDepth ? limit : kKyExprMaxDepth;
  }

 private:
  double Expression();
  double Term();
  double Factor();
  double CallFunction(const KyFunctionDescriptor* descriptor);
  bool AtEnd() {
    SkipWhite();
    return At(Position()) == 0;
  }
  char Peek() { return At(Position()); }
  void Consume() { Advance(1); }

  void* user_;
  Dword error_ = 0;
  KyVariableValue value_;
  KyFunctionLookup lookup_;
  KyVariableExists exists_;
  Dword depth_ = 0;
  Dword depth_limit_ = kKyExprMaxDepth;
};
