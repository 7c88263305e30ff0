// The exported complex functions against the committed mpmath reference
// table (tools/gen_complex_reference.py), through their exported entries.
#include <map>
#include <string>

#include "complex_reference_rows.h"
#include "complexvec/complex_functions.h"
#include "complexvec/complex_scalar.h"

namespace {

const ctest::Row kRows[] = {
#include "complex_reference.inc"
};

using ctest::Call;
using ctest::Row;

template <COMPLEX* (*F)(COMPLEX*)>
COMPLEX Unary(const Row& r) {
  COMPLEX z = r.z;
  COMPLEX* p = F(&z);
  EXPECT_EQ(p, &z);
  return z;
}
template <COMPLEX* (*F)(COMPLEX*, Qlong)>
COMPLEX Branch(const Row& r) {
  COMPLEX z = r.z;
  EXPECT_EQ(F(&z, r.i1), &z);
  return z;
}

const std::map<std::string, Call>& Calls() {
  static const std::map<std::string, Call> calls = {
      {"ccExp", Unary<ccExp>},
      {"ccExpm1", Unary<ccExpm1>},
      {"ccLogD", Unary<ccLogD>},
      {"ccSin", Unary<ccSin>},
      {"ccCos", Unary<ccCos>},
      {"ccTan", Unary<ccTan>},
      {"ccCot", Unary<ccCot>},
      {"ccSinh", Unary<ccSinh>},
      {"ccCosh", Unary<ccCosh>},
      {"ccTanh", Unary<ccTanh>},
      {"ccCoth", Unary<ccCoth>},
      {"ccAsin", Unary<ccAsin>},
      {"ccAcos", Unary<ccAcos>},
      {"ccAtan", Unary<ccAtan>},
      {"ccAcot", Unary<ccAcot>},
      {"ccAsinh", Unary<ccAsinh>},
      {"ccAcosh", Unary<ccAcosh>},
      {"ccAtanh", Unary<ccAtanh>},
      {"ccAcoth", Unary<ccAcoth>},
      {"ccLog", Branch<ccLog>},
      {"ccLog1p", Branch<ccLog1p>},
      {"ccLogA", Branch<ccLogA>},
      {"ccSqrt", Branch<ccSqrt>},
      {"ccSqrtA", Branch<ccSqrtA>},
      {"ccSqrtD", Branch<ccSqrtD>},
      {"ccCbrt", Branch<ccCbrt>},
      {"ccCbrtA", Branch<ccCbrtA>},
      {"ccCbrtD", Branch<ccCbrtD>},
      {"cciPower", Branch<cciPower>},
      {"cciArgPower", Branch<cciArgPower>},
      {"ccPochhammer", Branch<ccPochhammer>},
      {"ccExpt",
       [](const Row& r) {
         COMPLEX z = r.z;
         return *ccExpt(&z, static_cast<Qword>(r.i1));
       }},
      {"ccrPower",
       [](const Row& r) {
         COMPLEX z = r.z;
         return *ccrPower(&z, r.x);
       }},
      {"ccrArgPower",
       [](const Row& r) {
         COMPLEX z = r.z;
         return *ccrArgPower(&z, r.x);
       }},
      {"ccPower",
       [](const Row& r) {
         COMPLEX z = r.z;
         return *ccPower(&z, r.w);
       }},
      {"ccMeanAGM",
       [](const Row& r) {
         COMPLEX z = r.z;
         return *ccMeanAGM(&z, r.w);
       }},
      {"ccMeanG",
       [](const Row& r) {
         COMPLEX z = r.z;
         return *ccMeanG(&z, r.w);
       }},
      {"ccrRoot",
       [](const Row& r) {
         COMPLEX z;
         return *ccrRoot(&z, r.x, static_cast<Qword>(r.i1), static_cast<Qword>(r.i2));
       }},
      {"ccRootOfUnity",
       [](const Row& r) {
         COMPLEX z;
         return *ccRootOfUnity(&z, static_cast<Qword>(r.i1), static_cast<Qword>(r.i2));
       }},
      {"ccRootOfMinusOne",
       [](const Row& r) {
         COMPLEX z;
         return *ccRootOfMinusOne(&z, static_cast<Qword>(r.i1), static_cast<Qword>(r.i2));
       }},
      {"ciAbsPower", [](const Row& r) { return COMPLEX(ciAbsPower(r.z, r.i1), 0.0); }},
      {"crAbsPower", [](const Row& r) { return COMPLEX(crAbsPower(r.z, r.x), 0.0); }},
      {"cAbs", [](const Row& r) { return COMPLEX(cAbs(r.z), 0.0); }},
      {"cArg", [](const Row& r) { return COMPLEX(cArg(r.z), 0.0); }},
  };
  return calls;
}

TEST(ComplexReference, EveryRowWithinItsToleranceClass) { ctest::CheckTable(kRows, Calls()); }

}  // namespace
