// The complex functions built on the gamma family against their committed
// mpmath table (tools/gen_complex_reference.py).
#include <map>
#include <string>

#include "complex_reference_rows.h"
#include "complexvec/complex_functions.h"

namespace {

const ctest::Row kRows[] = {
#include "complex_special_reference.inc"
};

using ctest::Row;

const std::map<std::string, ctest::Call>& Calls() {
  static const std::map<std::string, ctest::Call> calls = {
      {"ccLogAD",
       [](const Row& r) {
         COMPLEX z = r.z;
         return *ccLogAD(&z, r.i1, r.i2);
       }},
      {"ccDivByFact",
       [](const Row& r) {
         COMPLEX z = r.z;
         return *ccDivByFact(&z, static_cast<Qword>(r.i1));
       }},
      {"ccMulByFact",
       [](const Row& r) {
         COMPLEX z = r.z;
         return *ccMulByFact(&z, static_cast<Qword>(r.i1));
       }},
      {"ccAS4_1_51",
       [](const Row& r) {
         COMPLEX z = r.z;
         return *ccAS4_1_51(&z, static_cast<Qword>(r.i1), static_cast<Qword>(r.i2), r.i3);
       }},
  };
  return calls;
}

TEST(ComplexSpecialReference, EveryRowWithinItsToleranceClass) {
  ctest::CheckTable(kRows, Calls());
}

}  // namespace
