// Rows of the committed mpmath tables (tools/gen_complex_reference.py) and
// the check that runs a table through the exported entries.
#pragma once
#include <cinttypes>
#include <cstdio>
#include <functional>
#include <map>
#include <string>

#include "support/accuracy.h"
#include "support/complex_accuracy.h"

namespace ctest {

struct Row {
  const char* name;
  COMPLEX z;
  Qlong i1, i2, i3;
  double x;
  COMPLEX w;
  COMPLEX want;
  int tol_class;
};

using Call = std::function<COMPLEX(const Row&)>;

// Every row within its tolerance class; one tally per function prints its
// worst and RMS error.
template <size_t N>
void CheckTable(const Row (&rows)[N], const std::map<std::string, Call>& calls) {
  const double classes[] = {kTol0, kTol1, kTol2, kTol3};
  std::map<std::string, AccuracyTally> tallies;
  for (const Row& r : rows) {
    const auto it = calls.find(r.name);
    ASSERT_NE(it, calls.end()) << "no call for " << r.name;
    const COMPLEX got = it->second(r);
    char where[160];
    std::snprintf(where, sizeof where, "z=%s i=(%" PRId64 ", %" PRId64 ", %" PRId64 ") x=%g",
                  Show(r.z).c_str(), r.i1, r.i2, r.i3, r.x);
    const double tol = classes[r.tol_class];
    AccuracyTally& tally = tallies.try_emplace(r.name, r.name, tol).first->second;
    tally.Add(ErrorEps(got, r.want), where, tol,
              "\n  got  " + Show(got) + "\n  want " + Show(r.want));
  }
}

}  // namespace ctest
