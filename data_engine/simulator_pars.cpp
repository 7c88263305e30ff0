// Reading the simulator's parameters from an item's store.
#include <cstring>

#include "base/memory.h"
#include "data_engine/bgrd.h"
#include "data_engine/simulator.h"
#include "framework/ky_asci_pars.h"

namespace {

double Real(const cKyAsciPars* s, const char* key) { return s->GetReal(key); }

// An array of n values of the key; n 0 gives none.
LibErrorCode ReadArray(const cKyAsciPars* s, const char* key, Qword n, double** out) {
  if (n == 0) return kErrNone;
  Dword e = kErrNone;
  double* values = NewRealArrFill(&e, n);
  if (!values) return kErrAlloc;
  e = s->GetRealArray(key, values, n);
  if (e != kErrNone) {
    KillPtr(&values);
    return e;
  }
  *out = values;
  return kErrNone;
}

// A count that is absent reads as 0.
Qword Count(const cKyAsciPars* s, const char* key) {
  const Qword n = s->GetUnsigned(key);
  return n == kNoIndex ? 0 : n;
}

}  // namespace

void SimParsClear(SimPars* p) { std::memset(p, 0, sizeof *p); }

void SimParsRelease(SimPars* p) {
  KillPtr(&p->tdcy);
  KillPtr(&p->wdcy);
  KillPtr(&p->trlx);
  KillPtr(&p->wrlx);
  KillPtr(&p->srlx);
  SimParsClear(p);
}

LibErrorCode SimParsRead(const cKyAsciPars* s, SimPars* p) {
  if (!s) return kErrMissingArguments;
  if (!p) return kErrMissingOutputBuffer;
  SimParsClear(p);
  p->f1 = Real(s, "F1");
  p->rphs = Real(s, "RPHS");
  p->bs = s->GetUnsigned("BS");
  // Microseconds to seconds; the division rounds 100 us to exactly 1e-4 s.
  p->dw = Real(s, "DW") / 1e6;
  p->xoff = Real(s, "XOFF") / 1e6;
  p->gdly = Real(s, "GDLY");
  p->bsln = Real(s, "BSLN");
  p->nois = Real(s, "NOIS");
  p->nlpl = Count(s, "NLPL");
  p->ngss = Count(s, "NGSS");
  p->nblk = s->GetUnsigned("NBLK");
  p->bgrd = BgrdGridTypeOf(s) == 1 ? 1 : 2;
  p->bini = Real(s, "BINI");
  p->bend = Real(s, "BEND");
  p->nrlx = Count(s, "NRLX");
  p->edly = Real(s, "EDLY");
  p->pw90 = Real(s, "PW90");
  LibErrorCode e = kErrNone;
  const Qword nd = p->nlpl + p->ngss;
  if (nd < p->nlpl || nd > (1u << 20) || p->nrlx > (1u << 20)) e = kErrIllegalParameters;
  if (e == kErrNone && nd > 0) {
    e = ReadArray(s, "TDCY", nd, &p->tdcy);
    if (e == kErrNone) e = ReadArray(s, "WDCY", nd, &p->wdcy);
    if (e == kErrNone) {
      double sum = 0;
      for (Qword j = 0; j < nd; ++j) sum += p->wdcy[j];
      p->nois *= sum;
    }
  }
  if (e == kErrNone && p->nrlx > 0) {
    e = ReadArray(s, "TRLX", p->nrlx, &p->trlx);
    if (e == kErrNone) e = ReadArray(s, "WRLX", p->nrlx, &p->wrlx);
    if (e == kErrNone) e = ReadArray(s, "SRLX", p->nrlx, &p->srlx);
  }
  if (e != kErrNone) SimParsRelease(p);
  return e;
}
