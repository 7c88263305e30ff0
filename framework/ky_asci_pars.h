// The named-parameter store of a data node: entries of a name, a value and
// an optional extra text held as one 8-bit text. The text starts with a CR
// and every entry is "name=value=extra" or "name=value" ended by a CR. A
// value that begins with "(" is an expression over the other entries.
#pragma once
#include "base/types.h"

class cKyExpression;

class VELTRIA_CLASS cKyAsciPars {
 public:
  cKyAsciPars() = default;
  // When memory runs out the copy is an empty store.
  cKyAsciPars(const cKyAsciPars& other);
  // When memory runs out the store keeps its own text.
  cKyAsciPars& operator=(const cKyAsciPars& other);
  virtual ~cKyAsciPars();

  void Clear();

  // Appends one entry; an empty name appends nothing. A name or value with
  // a CR or "=", or an extra text with a CR, would split into several
  // entries: 25, nothing changes.
  LibErrorCode AddEntry(const char* name, const char* value, const char* extra);
  // Appends raw text and one CR; the count grows by the CRs inside it.
  LibErrorCode AddLines(const char* text);
  // Position of the value of the first entry with the name, -1 when none.
  Qlong Find(const char* name) const;
  // 21 when there is no such entry.
  LibErrorCode Remove(const char* name);
  // Replaces the entry by a new one at the end. Either the old or the new
  // entry is there afterwards: room is made before the old one goes.
  LibErrorCode Set(const char* name, const char* value);

  // Value (at most 1023 characters) into a buffer of at least 1024; the
  // position of the next entry, -1 when the entry is missing.
  Qlong GetString(const char* name, char* value) const;
  // Iteration: from 0, each call reads the next entry into buffers of at
  // least 1024 (name, extra) and 4096 (value) characters and returns the
  // position to pass next; -1 at the end.
  Qlong GetEntryAt(Qlong position, char* name, char* value, char* extra) const;

  // The value as a number; NaN when missing, not a number, or an
  // expression that fails.
  double GetReal(const char* name) const;
  // GetReal rounded half away from zero; all bits set when missing, NaN or
  // negative.
  Qword GetUnsigned(const char* name) const;
  // `count` numbers from the value, each from the next decimal digit on.
  LibErrorCode GetRealArray(const char* name, double* values, Qword count) const;
  // An expression over the entries of this store; NaN when it fails.
  double Evaluate(const char* expression) const;

  const char* Text() const { return text_; }
  Qword EntryCount() const { return count_; }
  Qword Capacity() const { return capacity_; }
  Qword Used() const { return used_; }

 private:
  static constexpr Dword kGrowthStep = 10000;

  // Makes room for `needed` more characters; creates the buffer (one CR)
  // when there is none.
  LibErrorCode Reserve(Qword needed);
  // Index of the CR that ends the entry whose value starts at `value`, or
  // `used_` when the text ends first.
  Qword EntryEnd(Qword value) const;
  // Variable values of Evaluate: GetReal of this store, within the budget.
  static double VariableValue(const char* name, void* user);

  char* text_ = nullptr;
  Qword count_ = 0;
  Qword capacity_ = 0;
  Qword used_ = 0;
  Dword growth_ = kGrowthStep;
  // Nesting and total count of evaluations under one outer GetReal: values
  // that refer to each other must end.
  mutable Dword eval_depth_ = 0;
  mutable Dword eval_budget_ = 0;
  // Nesting used by the enclosing evaluations: the evaluator that is asking
  // for a variable and the depth consumed below it.
  mutable const cKyExpression* eval_active_ = nullptr;
  mutable Dword eval_depth_used_ = 0;
};
