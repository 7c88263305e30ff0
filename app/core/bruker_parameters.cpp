#include "app/core/bruker_parameters.h"

#include <cmath>

#include "app/core/bruker_group_delay.h"
#include "app/core/bruker_text.h"
#include "base/error_codes.h"

namespace {

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// An unsigned value text, all ones when it is not one (as the parameter
// store reads a missing count).
Qword UnsignedOrAllOnes(const std::string& text) {
  Qword v;
  return BrukerParseUnsigned(text, &v) == BrukerNumber::kOk ? v : ~Qword{0};
}

class Reader {
 public:
  Reader(const BrukerJcampText& acqus, BrukerAcquisition* out) : acqus_(acqus), out_(out) {}

  void Add(const char* name, std::string value) {
    out_->entries.push_back({name, std::move(value)});
  }
  bool Value(const char* key, std::string* v) const { return acqus_.ValueText(key, v); }
  bool Angle(const char* key, std::string* v) const { return acqus_.AngleText(key, v); }
  bool Item(const char* key, Qword i, std::string* v) const { return acqus_.ArrayItem(key, i, v); }

 private:
  const BrukerJcampText& acqus_;
  BrukerAcquisition* out_;
};

// The DOSY gradient duration and diffusion delay (s) of a kind; empty
// texts for kind 0.
void DosyDelays(int kind, double pgrad, double difft, double grec, std::string* litdel,
                std::string* bigdel) {
  litdel->clear();
  bigdel->clear();
  if (kind == 0) return;
  const double g = pgrad * 1e-6;
  const double lit = (kind == 1 || kind == 3) ? g : 2 * g;
  double big = difft;
  if (kind == 2) big = difft - 0.5 * grec;
  if (kind == 3) big = difft - 4 * g / 3 - grec;
  if (kind == 4) big = difft - 8 * g / 3 - 3 * grec;
  *litdel = BrukerFormatG(lit, 15);
  *bigdel = BrukerFormatG(big, 15);
}

// Line n (from 1) of a text; false when it has fewer lines.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    size_t eol = text.find_first_of("\r\n", at);
    if (eol == std::string::npos) eol = text.size();
    lines.push_back(BrukerValidUtf8(std::string_view(text).substr(at, eol - at)));
    at = eol;
    if (at < text.size() && text[at] == '\r') ++at;
    if (at < text.size() && text[at] == '\n') ++at;
  }
  return lines;
}

}  // namespace

int BrukerDosyKind(const std::string& pulprog) {
  if (StartsWith(pulprog, "stebp") || StartsWith(pulprog, "ledbp")) return 2;
  if (StartsWith(pulprog, "dstebp")) return 4;
  if (StartsWith(pulprog, "ste") || StartsWith(pulprog, "led")) return 1;
  if (StartsWith(pulprog, "dste")) return 3;
  return 0;
}

LibErrorCode BrukerReadAcqus(const BrukerJcampText& acqus, BrukerAcquisition* out) {
  *out = BrukerAcquisition();
  Reader r(acqus, out);
  std::string td, sw, v;

  if (!r.Value("TD", &td)) return kErrFileSystem;
  Qword samples;
  switch (BrukerParseUnsigned(td, &samples)) {
    case BrukerNumber::kOk:
      break;
    case BrukerNumber::kTooLarge:
      return kErrIllegalDataSize;
    case BrukerNumber::kNotANumber:
      return kErrIllegalParameters;
  }
  const Qword points = samples / 2;
  r.Add("BS", std::to_string(points));
  out->layout.samples = samples;
  out->layout.points = points;

  if (!r.Value("SW_h", &sw)) return kErrFileSystem;
  const double sw_h = BrukerParseReal(sw);
  out->sw_h = sw_h;
  r.Add("SW", sw);
  const std::string dw = BrukerFormatG(1 / sw_h, 6);
  const std::string xoff = BrukerFormatG((1 / sw_h) / 2, 15);
  r.Add("DW", dw);
  r.Add("XOFF", xoff);
  out->dw = BrukerParseReal(dw);
  out->xoff = BrukerParseReal(xoff);

  if (!r.Value("GRPDLY", &v)) return kErrFileSystem;
  if (BrukerTrim(v) == "-1") {
    std::string decim, dspfvs;
    const bool have_decim = r.Value("DECIM", &decim);
    if (have_decim) r.Add("DECIM", decim);
    if (!r.Value("DSPFVS", &dspfvs)) return kErrFileSystem;
    r.Add("DSPFVS", dspfvs);
    // A missing DECIM counts as all ones, which names no table row.
    const Qword d = have_decim ? UnsignedOrAllOnes(decim) : ~Qword{0};
    v = BrukerFormatG(BrukerGroupDelay(d, UnsignedOrAllOnes(dspfvs)), 15);
  }
  r.Add("GDLY", v);

  if (!r.Angle("NUC1", &v)) return kErrFileSystem;
  r.Add("NUC", v);
  std::string bf1, o1;
  if (!r.Value("BF1", &bf1)) return kErrFileSystem;
  r.Add("SF", bf1);
  if (!r.Value("O1", &o1)) return kErrFileSystem;
  r.Add("F1", o1);
  // SFO1 alone may be missing: the observe frequency from base and offset.
  if (!r.Value("SFO1", &v))
    v = BrukerFormatG(BrukerParseReal(bf1) + 1e-6 * BrukerParseReal(o1), 15);
  r.Add("SYF1", v);

  std::string grec, difft, pgrad;
  if (!r.Item("D", 16, &grec) || !r.Item("D", 20, &difft)) return kErrFileSystem;
  r.Add("GREC", grec);
  r.Add("DIFFT", difft);
  if (!r.Item("P", 1, &v)) return kErrFileSystem;
  r.Add("PW90", v);
  if (!r.Item("P", 2, &v)) return kErrFileSystem;
  r.Add("PW180", v);
  if (!r.Item("P", 30, &pgrad)) return kErrFileSystem;
  r.Add("PGRAD", pgrad);

  std::string pulprog, litdel, bigdel;
  if (!r.Angle("PULPROG", &pulprog)) return kErrFileSystem;
  r.Add("PULPROG", pulprog);
  DosyDelays(BrukerDosyKind(pulprog), BrukerParseReal(pgrad), BrukerParseReal(difft),
             BrukerParseReal(grec), &litdel, &bigdel);
  r.Add("LITDEL", litdel);
  r.Add("BIGDEL", bigdel);

  std::string bytorda, dtypa;
  if (!r.Value("BYTORDA", &bytorda)) return kErrFileSystem;
  r.Add("BYTORDA", bytorda);
  if (!r.Value("DTYPA", &dtypa)) return kErrFileSystem;
  r.Add("DTYPA", dtypa);
  out->dtypa_text = dtypa;
  out->bytorda_text = bytorda;
  return kErrNone;
}

LibErrorCode BrukerReadBlockCount(const BrukerJcampText* acqu2s, const std::string* difflist,
                                  BrukerAcquisition* out) {
  std::string nblk = "1";
  if (acqu2s && !acqu2s->ValueText("TD", &nblk)) return kErrFileSystem;
  out->entries.push_back({"NBLK", nblk});

  Qword blocks = 1;
  if (acqu2s && BrukerParseUnsigned(nblk, &blocks) != BrukerNumber::kOk)
    return kErrIllegalParameters;
  out->layout.blocks = blocks;

  if (difflist) {
    const std::vector<std::string> lines = Lines(*difflist);
    // A list without lines counts as no list; a short list ends at its
    // last line.
    if (!lines.empty()) {
      const Qword last = blocks < lines.size() ? blocks : lines.size();
      out->entries.push_back({"BINI", lines[0]});
      out->entries.push_back({"BEND", lines[last == 0 ? 0 : last - 1]});
      out->entries.push_back({"BGRD", "Lin"});
      out->entries.push_back({"BUNIT", "G/cm"});
    }
  }

  return kErrNone;
}

LibErrorCode BrukerCheckLayout(BrukerAcquisition* acq) {
  BrukerLayout& layout = acq->layout;
  if (!(acq->sw_h > 0) || !std::isfinite(acq->sw_h)) return kErrIllegalParameters;
  if (layout.blocks == 0) return kErrIllegalParameters;
  if (layout.points == 0) return kErrIllegalDataSize;
  if (BrukerParseUnsigned(acq->dtypa_text, &layout.dtypa) != BrukerNumber::kOk ||
      BrukerParseUnsigned(acq->bytorda_text, &layout.bytorda) != BrukerNumber::kOk)
    return kErrIllegalDataType;
  if (LibErrorCode e = BrukerCheckEncoding(layout.dtypa, layout.bytorda)) return e;
  Qword stride;
  return BrukerBlockStride(layout, &stride);
}

LibErrorCode BrukerReadAcquisition(const BrukerJcampText& acqus, const BrukerJcampText* acqu2s,
                                   const std::string* difflist, BrukerAcquisition* out) {
  if (LibErrorCode e = BrukerReadAcqus(acqus, out)) return e;
  if (LibErrorCode e = BrukerReadBlockCount(acqu2s, difflist, out)) return e;
  return BrukerCheckLayout(out);
}
