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

// Notes why `file` is refused; the code.
LibErrorCode Refuse(BrukerAcquisition* acq, LibErrorCode code, const char* file,
                    std::string problem) {
  acq->problem_file = file;
  acq->problem = std::move(problem);
  return code;
}

// "##$KEY=" followed by its value text, as the user finds it in the file.
std::string KeyLine(const char* key, const std::string& value) {
  return "##$" + std::string(key) + "=" + value;
}

// Whether any line starts with "##", as every line of a parameter file's
// header does.
bool HasJcampLines(const std::string& text) {
  if (text.compare(0, 2, "##") == 0) return true;
  for (size_t at = text.find_first_of("\r\n"); at != std::string::npos;
       at = text.find_first_of("\r\n", at + 1))
    if (text.compare(at + 1, 2, "##") == 0) return true;
  return false;
}

class Reader {
 public:
  Reader(const BrukerJcampText& acqus, BrukerAcquisition* out) : acqus_(acqus), out_(out) {}

  // The read stops at a missing key, named for the user. A text key is
  // missing too when its value has no "<".
  LibErrorCode Missing(const char* key, bool text = false) const {
    std::string problem = "no ##$" + std::string(key) + "= entry";
    if (text && acqus_.HasKey(key)) problem = "##$" + std::string(key) + "= holds no <text>";
    return Refuse(out_, kErrFileSystem, "acqus", problem);
  }
  LibErrorCode MissingItem(const char* key, Qword index) const {
    std::string problem = "no ##$" + std::string(key) + "= entry";
    if (acqus_.HasKey(key))
      problem = "##$" + std::string(key) + "= has no item " + std::to_string(index);
    return Refuse(out_, kErrFileSystem, "acqus", problem);
  }

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

  if (!HasJcampLines(acqus.bytes()))
    return Refuse(out, kErrFileSystem, "acqus", "not a parameter file (no ##KEY= lines)");
  if (!r.Value("TD", &td)) return r.Missing("TD");
  Qword samples;
  switch (BrukerParseUnsigned(td, &samples)) {
    case BrukerNumber::kOk:
      break;
    case BrukerNumber::kTooLarge:
      return Refuse(out, kErrIllegalDataSize, "acqus", KeyLine("TD", td) + " is too large");
    case BrukerNumber::kNotANumber:
      return Refuse(out, kErrIllegalParameters, "acqus",
                    KeyLine("TD", td) + " is not a whole number");
  }
  const Qword points = samples / 2;
  r.Add("BS", std::to_string(points));
  out->layout.samples = samples;
  out->layout.points = points;

  if (!r.Value("SW_h", &sw)) return r.Missing("SW_h");
  const double sw_h = BrukerParseReal(sw);
  out->sw_h = sw_h;
  out->sw_text = sw;
  r.Add("SW", sw);
  const std::string dw = BrukerFormatG(1 / sw_h, 6);
  const std::string xoff = BrukerFormatG((1 / sw_h) / 2, 15);
  r.Add("DW", dw);
  r.Add("XOFF", xoff);
  out->dw = BrukerParseReal(dw);
  out->xoff = BrukerParseReal(xoff);

  if (!r.Value("GRPDLY", &v)) return r.Missing("GRPDLY");
  if (BrukerTrim(v) == "-1") {
    std::string decim, dspfvs;
    const bool have_decim = r.Value("DECIM", &decim);
    if (have_decim) r.Add("DECIM", decim);
    if (!r.Value("DSPFVS", &dspfvs)) return r.Missing("DSPFVS");
    r.Add("DSPFVS", dspfvs);
    // A missing DECIM counts as all ones, which names no table row.
    const Qword d = have_decim ? UnsignedOrAllOnes(decim) : ~Qword{0};
    v = BrukerFormatG(BrukerGroupDelay(d, UnsignedOrAllOnes(dspfvs)), 15);
  }
  r.Add("GDLY", v);

  if (!r.Angle("NUC1", &v)) return r.Missing("NUC1", true);
  r.Add("NUC", v);
  std::string bf1, o1;
  if (!r.Value("BF1", &bf1)) return r.Missing("BF1");
  r.Add("SF", bf1);
  if (!r.Value("O1", &o1)) return r.Missing("O1");
  r.Add("F1", o1);
  // SFO1 alone may be missing: the observe frequency from base and offset.
  if (!r.Value("SFO1", &v))
    v = BrukerFormatG(BrukerParseReal(bf1) + 1e-6 * BrukerParseReal(o1), 15);
  r.Add("SYF1", v);

  std::string grec, difft, pgrad;
  if (!r.Item("D", 16, &grec)) return r.MissingItem("D", 16);
  if (!r.Item("D", 20, &difft)) return r.MissingItem("D", 20);
  r.Add("GREC", grec);
  r.Add("DIFFT", difft);
  if (!r.Item("P", 1, &v)) return r.MissingItem("P", 1);
  r.Add("PW90", v);
  if (!r.Item("P", 2, &v)) return r.MissingItem("P", 2);
  r.Add("PW180", v);
  if (!r.Item("P", 30, &pgrad)) return r.MissingItem("P", 30);
  r.Add("PGRAD", pgrad);

  std::string pulprog, litdel, bigdel;
  if (!r.Angle("PULPROG", &pulprog)) return r.Missing("PULPROG", true);
  r.Add("PULPROG", pulprog);
  DosyDelays(BrukerDosyKind(pulprog), BrukerParseReal(pgrad), BrukerParseReal(difft),
             BrukerParseReal(grec), &litdel, &bigdel);
  r.Add("LITDEL", litdel);
  r.Add("BIGDEL", bigdel);

  std::string bytorda, dtypa;
  if (!r.Value("BYTORDA", &bytorda)) return r.Missing("BYTORDA");
  r.Add("BYTORDA", bytorda);
  if (!r.Value("DTYPA", &dtypa)) return r.Missing("DTYPA");
  r.Add("DTYPA", dtypa);
  out->dtypa_text = dtypa;
  out->bytorda_text = bytorda;
  return kErrNone;
}

LibErrorCode BrukerReadBlockCount(const BrukerJcampText* acqu2s, const std::string* difflist,
                                  BrukerAcquisition* out) {
  std::string nblk = "1";
  if (acqu2s && !acqu2s->ValueText("TD", &nblk))
    return Refuse(out, kErrFileSystem, "acqu2s", "no ##$TD= entry");
  out->entries.push_back({"NBLK", nblk});

  Qword blocks = 1;
  if (acqu2s && BrukerParseUnsigned(nblk, &blocks) != BrukerNumber::kOk)
    return Refuse(out, kErrIllegalParameters, "acqu2s",
                  KeyLine("TD", nblk) + " is not a whole number of decays");
  out->layout.blocks = blocks;

  if (difflist) {
    const std::vector<std::string> lines = Lines(*difflist);
    // A short list ends at its last line. Every line that is read must be
    // a gradient value: text or a non-finite number is no gradient.
    if (lines.empty())
      return Refuse(out, kErrWrongInputFormat, "difflist", "no lines (no gradient values)");
    const Qword last = blocks < lines.size() ? blocks : lines.size();
    for (Qword i = 0; i < last; ++i)
      if (!std::isfinite(BrukerParseReal(lines[i])))
        return Refuse(
            out, kErrWrongInputFormat, "difflist",
            "line " + std::to_string(i + 1) + " (\"" + lines[i] + "\") is not a finite number");
    out->entries.push_back({"BINI", lines[0]});
    out->entries.push_back({"BEND", lines[last == 0 ? 0 : last - 1]});
    out->entries.push_back({"BGRD", "Lin"});
    out->entries.push_back({"BUNIT", "G/cm"});
  }

  return kErrNone;
}

LibErrorCode BrukerCheckLayout(BrukerAcquisition* acq) {
  BrukerLayout& layout = acq->layout;
  const std::string td = std::to_string(layout.samples);
  if (!(acq->sw_h > 0) || !std::isfinite(acq->sw_h))
    return Refuse(acq, kErrIllegalParameters, "acqus",
                  KeyLine("SW_h", acq->sw_text) + " is not a positive number of hertz");
  if (layout.blocks == 0)
    return Refuse(acq, kErrIllegalParameters, "acqu2s", "##$TD= 0 leaves no decay");
  if (layout.points == 0)
    return Refuse(acq, kErrIllegalDataSize, "acqus", "##$TD= " + td + " holds no complex point");
  if (BrukerParseUnsigned(acq->dtypa_text, &layout.dtypa) != BrukerNumber::kOk ||
      BrukerCheckEncoding(layout.dtypa, 0) != kErrNone)
    return Refuse(
        acq, kErrIllegalDataType, "acqus",
        KeyLine("DTYPA", acq->dtypa_text) + " is no sample type read here (0 integers, 2 doubles)");
  if (BrukerParseUnsigned(acq->bytorda_text, &layout.bytorda) != BrukerNumber::kOk ||
      BrukerCheckEncoding(layout.dtypa, layout.bytorda) != kErrNone)
    return Refuse(acq, kErrIllegalDataType, "acqus",
                  KeyLine("BYTORDA", acq->bytorda_text) +
                      " is no byte order (0 little-endian, 1 big-endian)");
  Qword stride;
  if (LibErrorCode e = BrukerBlockStride(layout, &stride))
    return Refuse(acq, e, "acqus", "##$TD= " + td + " is too large for a data file");
  return kErrNone;
}

LibErrorCode BrukerReadAcquisition(const BrukerJcampText& acqus, const BrukerJcampText* acqu2s,
                                   const std::string* difflist, BrukerAcquisition* out) {
  if (LibErrorCode e = BrukerReadAcqus(acqus, out)) return e;
  if (LibErrorCode e = BrukerReadBlockCount(acqu2s, difflist, out)) return e;
  return BrukerCheckLayout(out);
}
