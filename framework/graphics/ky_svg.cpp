#include "framework/graphics/ky_svg.h"

#include <cstdarg>
#include <new>

#include "base/memory.h"
#include "base/os_services.h"
#include "base/paths.h"
#include "base/platform/c_number.h"
#include "base/platform/file_io.h"
#include "base/platform/file_replace.h"
#include "base/utf.h"
#include "framework/graphics/grob.h"
#include "framework/graphics/ky_gw.h"

namespace {

const char kSvgProlog[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\" "
    "\"http://www.w3.org/Graphics/SVG/1.1/DTD/svg11.dtd\">\n"
    "<svg xmlns=\"http://www.w3.org/2000/svg\"";

constexpr Dword kSvgDefaultFontSize = 10;
// U+FFFD in UTF-8.
constexpr char kReplacementCharacter[] = "\xEF\xBF\xBD";
Dword g_svg_font_size = kSvgDefaultFontSize;

// One element, formatted with C printf rules into a buffer of 4096 bytes.
void WriteF(cKySVG* svg, const char* format, ...) __attribute__((format(printf, 2, 3)));
void WriteF(cKySVG* svg, const char* format, ...) {
  char buffer[4096];
  va_list args;
  va_start(args, format);
  const int n = PlatformFormatC(buffer, sizeof(buffer), format, args);
  va_end(args);
  if (n < 0) return;
  svg->Write(buffer);
}

void WriteGroup(cKySVG* svg, Dword colour, Dword width) {
  const unsigned rgb = colour >> 8;
  WriteF(svg, "\n<g fill=\"#%06x\" stroke=\"#%06x\" stroke-width=\"%u\" >", rgb, rgb, width);
  svg->AddGroups(1);
}

// A group closed by 12 or 13 must have been opened: a stray one would
// unbalance the document.
void CloseGroup(cKySVG* svg) {
  if (svg->OpenGroups() <= 0) return;
  svg->Write("\n</g>");
  svg->AddGroups(-1);
}

void WritePoint(cKySVG* svg, Qlong x, Qlong y) {
  WriteF(svg, "\n <circle cx=\"%lli\" cy=\"%lli\" r=\"%i\" />", static_cast<long long>(x),
         static_cast<long long>(y), 1);
}

// Length of the valid UTF-8 sequence at p (0 when it is not one).
int Utf8SequenceLength(const unsigned char* p) {
  const unsigned char c = p[0];
  int n;
  Dword code;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
    code = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    code = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    code = c & 0x07;
  } else {
    return 0;
  }
  for (int i = 1; i < n; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0;
    code = (code << 6) | (p[i] & 0x3F);
  }
  if ((n == 3 && code < 0x800) || (n == 4 && (code < 0x10000 || code > 0x10FFFF))) return 0;
  if (code >= 0xD800 && code <= 0xDFFF) return 0;
  return n;
}

}  // namespace

void SvgResetFontSizeForTest(void) { g_svg_font_size = kSvgDefaultFontSize; }

void SvgAppendEscaped(std::string* out, const char* text) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  while (*p) {
    const unsigned char c = *p;
    switch (c) {
      case '&':
        *out += "&amp;";
        ++p;
        continue;
      case '<':
        *out += "&lt;";
        ++p;
        continue;
      case '>':
        *out += "&gt;";
        ++p;
        continue;
      case '"':
        *out += "&quot;";
        ++p;
        continue;
      case '\'':
        *out += "&apos;";
        ++p;
        continue;
      default:
        break;
    }
    if (c < 0x80) {
      // XML 1.0 admits no control characters but tab, line feed and return;
      // the others stand as the replacement character, so the text keeps
      // its length and shows where something was.
      if (c >= 0x20 || c == '\t' || c == '\n' || c == '\r')
        *out += static_cast<char>(c);
      else
        *out += kReplacementCharacter;
      ++p;
      continue;
    }
    const int n = Utf8SequenceLength(p);
    // U+FFFE and U+FFFF (EF BF BE, EF BF BF) are no XML characters either.
    if (n == 3 && p[0] == 0xEF && p[1] == 0xBF && (p[2] == 0xBE || p[2] == 0xBF)) {
      *out += kReplacementCharacter;
      p += n;
      continue;
    }
    if (n > 0) {
      out->append(reinterpret_cast<const char*>(p), static_cast<size_t>(n));
      p += n;
      continue;
    }
    // An 8-bit Latin-1 character: U+0080..U+00FF as two UTF-8 bytes.
    *out += static_cast<char>(0xC0 | (c >> 6));
    *out += static_cast<char>(0x80 | (c & 0x3F));
    ++p;
  }
}

cKySVG::cKySVG(Dword width, Dword height)
    : prolog_(kSvgProlog),
      file_(-1),
      path_(nullptr),
      width_(width),
      height_(height),
      open_groups_(0),
      failed_(false),
      new_file_(false) {}

cKySVG::~cKySVG() {
  Close();
  KillString(&path_);
}

void cKySVG::Drop() {
  if (file_ >= 0) WinFileAbandonReplacement(file_, temp_);
  file_ = -1;
  temp_.clear();
  failed_ = true;
  KillString(&path_);
}

bool cKySVG::Write(const char* text) {
  Qword n = 0;
  while (text[n]) ++n;
  return Write(text, n);
}

bool cKySVG::Write(const char* text, Qword length) {
  if (file_ < 0) return false;
  Qword done = 0;
  if (!WinFileWriteBinary(file_, text, length, &done) || done != length) {
    Drop();
    return false;
  }
  return true;
}

bool cKySVG::Close() {
  if (file_ < 0) return true;
  bool ok = true;
  while (open_groups_ > 0) {
    --open_groups_;
    if (ok) ok = Write("\n</g>");
  }
  open_groups_ = 0;
  if (ok) ok = Write("\n</svg>");
  if (ok) ok = Write("\n</svg>");
  if (!ok) return false;
  const Qlong handle = file_;
  file_ = -1;
  // A new file takes its name only while the name is still free.
  const Dword placed = new_file_ ? WinFileCommitNew(handle, temp_, target_.c_str())
                                 : WinFileCommitReplacement(handle, temp_, target_.c_str());
  if (!placed) {
    failed_ = true;
    ok = false;
  }
  temp_.clear();
  return ok;
}

LibErrorCode cKySVG::Create(const char16_t* path, Dword flags) {
  Close();
  KillString(&path_);
  open_groups_ = 0;
  failed_ = false;
  const Dword mode = (flags & kSvgNoOverwritePrompt) ? 0x11u : 0x40011u;
  char16_t* chosen = nullptr;
  if (!path || !path[0]) {
    chosen = NewOsFileSelectDialog(u"Create a new SVG file", nullptr, u"svg", u".svg|*.svg|", mode,
                                   0, nullptr);
    if (!chosen || !chosen[0]) {
      KillString(&chosen);
      return kErrFileSystem;
    }
    path = chosen;
  }
  char* utf8 = NewUtf8FromUtf16(path);
  if (!utf8) {
    KillString(&chosen);
    return kErrFileSystem;
  }
  target_ = utf8;
  KillStringA(&utf8);
  Qword units = 0;
  while (path[units]) ++units;
  Dword e = 0;
  path_ = NewWordArrFill(&e, units + 1);
  if (path_) {
    for (Qword i = 0; i <= units; ++i) path_[i] = path[i];
  }
  KillString(&chosen);
  // The picture is written beside the target and takes its name when
  // complete: nothing empty or partial ever stands under the name.
  new_file_ = WinFileGetAttributes(target_.c_str()) == 0xFFFFFFFFu;
  file_ = new_file_ ? WinFileOpenNewReplacement(target_.c_str(), &temp_)
                    : WinFileOpenReplacement(target_.c_str(), &temp_);
  if (file_ < 0) {
    file_ = -1;
    KillString(&path_);
    return kErrFileSystem;
  }
  // Width and height on the outer element as well, so that viewers that
  // ignore the view box still show the picture at its size.
  char head[256];
  const int n = snprintf(head, sizeof(head), " width=\"%u\" height=\"%u\">\n", width_, height_);
  if (!Write(prolog_) || n < 0 || !Write(head)) return kErrFileSystem;
  char box[128];
  snprintf(box, sizeof(box), "<svg viewBox = \"0 0 %u %u\">", width_, height_);
  if (!Write(box)) return kErrFileSystem;
  return kErrNone;
}

Qlong SvgDrawCallback(void* writer, Dword message, Qlong x1, Qlong y1, Qlong x2, Qlong y2,
                      const void* state_or_text) {
  cKySVG* svg = static_cast<cKySVG*>(writer);
  if (!svg) return 0;
  const GwState* state = static_cast<const GwState*>(state_or_text);
  const long long a = x1, b = y1, c = x2, d = y2;
  switch (message) {
    case kGwMsgBegin:
      if (state) WriteGroup(svg, state->line_colour, state->line_width);
      return 0;
    case kGwMsgFont:
      if (state) g_svg_font_size = state->font_size;
      return 0;
    case kGwMsgFill:
      if (!state) return 0;
      CloseGroup(svg);
      WriteGroup(svg, state->fill_colour, state->line_width);
      return 0;
    case kGwMsgPen:
      if (!state) return 0;
      CloseGroup(svg);
      WriteGroup(svg, state->line_colour, state->line_width);
      return 0;
    case kGwMsgPoint:
      WritePoint(svg, x1, y1);
      return 0;
    case kGwMsgLine:
      if (x1 == x2 && y1 == y2) {
        WritePoint(svg, x1, y1);
        return 0;
      }
      WriteF(svg, "\n<line x1=\"%lli\" y1=\"%lli\" x2=\"%lli\" y2=\"%lli\" %s/>", a, b, c, d,
             state && state->line_style ? "stroke-dasharray=\"10 5\" " : "");
      return 0;
    case kGwMsgFillRect:
      WriteF(svg, "\n<rect x=\"%lli\" y=\"%lli\" width=\"%lli\" height=\"%lli\" />", a, d, c - a,
             b - d);
      return 0;
    case kGwMsgRect:
      WriteF(svg,
             "\n<path d= \" M % lli % lli L %lli %lli L %lli %lli L %lli %lli Z \" "
             "fill=\"transparent\" />",
             a, b, a, d, c, d, c, b);
      return 0;
    case kGwMsgPathStart:
      WriteF(svg, "\n<path d= \" M % lli % lli ", a, b);
      return 0;
    case kGwMsgPathLine:
      WriteF(svg, " L %lli %lli ", c, d);
      return 0;
    case kGwMsgPathArc: {
      static const char* const kArcs[] = {
          " A %lli %lli 0 0 0 %lli %lli ", " A %lli %lli 0 0 1 %lli %lli ",
          " A %lli %lli 0 1 0 %lli %lli ", " A %lli %lli 0 1 1 %lli %lli "};
      if (y1 < 1 || y1 > 4) return 0;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
      WriteF(svg, kArcs[y1 - 1], a, a, c, d);
#pragma GCC diagnostic pop
      return 0;
    }
    case kGwMsgPathClose:
      svg->Write(" Z \" />");
      return 0;
    case kGwMsgText: {
      if (!state_or_text) return 0;
      char head[160];
      snprintf(head, sizeof(head), "\r\n<text x=\"%lli\" y=\"%lli\" font-size=\"%u\"> ", a, b,
               g_svg_font_size);
      std::string element(head);
      SvgAppendEscaped(&element, static_cast<const char*>(state_or_text));
      element += " </text>";
      svg->Write(element.c_str(), element.size());
      return 0;
    }
    case kGwMsgTextHeight:
      return g_svg_font_size;
    case kGwMsgTextWidth: {
      // The renderer's font is not known here: 0.6 em a character, the
      // usual average advance; the gap the axes leave beside a label takes
      // up what wider digits need.
      if (!state_or_text) return 0;
      Qlong characters = 0;
      for (const char* p = static_cast<const char*>(state_or_text); *p; ++p)
        characters += (static_cast<unsigned char>(*p) & 0xC0) != 0x80;
      return characters * 6 * g_svg_font_size / 10;
    }
    case kGwMsgDeviceHeight:
      return svg->Height();
    case kGwMsgDeviceWidth:
      return svg->Width();
    default:
      return 0;
  }
}

LibErrorCode GrobToSvgFile(Dword flags, cGrob* object, Dword width, Dword height,
                           const char16_t* path) {
  if (!object) return kErrMissingInputData;
  cKySVG* svg = new (std::nothrow) cKySVG(width, height);
  if (!svg) return kErrAlloc;
  const LibErrorCode error = svg->Create(path, flags);
  if (error) {
    delete svg;
    return error;
  }
  {
    cKyGw gw(svg, SvgDrawCallback);
    const cKyGw* own = object->Context();
    if (own) {
      // Ranges, minima and scales: a wheel zoom changes the y scale alone.
      gw.SetXRange(own->XRange());
      gw.SetYRange(own->YRange());
      gw.SetXMin(own->XMin());
      gw.SetYMin(own->YMin());
      gw.SetXScale(own->XScale());
      gw.SetYScale(own->YScale());
    }
    object->Draw(&gw, 0);
  }
  svg->Close();
  const bool failed = svg->Failed();
  char16_t* shown = nullptr;
  if (!failed && (flags & kSvgOpenWithShell) && svg->Path()) {
    Qword n = 0;
    while (svg->Path()[n] && n < 1023) ++n;
    Dword e = 0;
    shown = NewWordArrFill(&e, n + 1);
    if (shown) {
      for (Qword i = 0; i < n; ++i) shown[i] = svg->Path()[i];
      shown[n] = 0;
    }
  }
  delete svg;
  if (shown) {
    OsShellOpen(shown);
    KillString(&shown);
  }
  return failed ? kErrFileSystem : kErrNone;
}
