// The SVG writer: cKySVG owns the output file, SvgDrawCallback writes one SVG
// element per drawing message, GrobToSvgFile draws a graphics object into a
// new file. The file is written to a temporary file beside the target and
// renamed over it at the end, so a failed write leaves no partial file.
#pragma once
#include <string>

#include "base/error_codes.h"
#include "base/types.h"

class cGrob;

enum : Dword {
  kSvgOpenWithShell = 0x1,
  kSvgNoOverwritePrompt = 0x2,
};

class cKySVG {
 public:
  cKySVG(Dword width, Dword height);
  virtual ~cKySVG();
  cKySVG(const cKySVG&) = delete;
  cKySVG& operator=(const cKySVG&) = delete;

  // Opens the file (through a save dialog without a path): 0 or 48.
  LibErrorCode Create(const char16_t* path, Dword flags);
  // False without a file; a failed write drops the file, so later writes do
  // nothing and nothing partial is left behind.
  bool Write(const char* text);
  bool Write(const char* text, Qword length);
  // Closing tags, then the file takes its place. True when every closing
  // write succeeded or no file was open.
  bool Close();

  // Writes of the current file (since Create) failed.
  bool Failed() const { return failed_; }
  bool IsOpen() const { return file_ >= 0; }
  const char16_t* Path() const { return path_; }
  Dword Width() const { return width_; }
  Dword Height() const { return height_; }
  Long OpenGroups() const { return open_groups_; }
  void AddGroups(Long delta) { open_groups_ += delta; }

 private:
  void Drop();

  const char* prolog_;
  Qlong file_;
  char16_t* path_;
  std::string temp_;
  std::string target_;
  Dword width_;
  Dword height_;
  Long open_groups_;
  bool failed_;
  bool new_file_;  // no file had the target's name when Create began
};

// The drawing back end that writes SVG; the target is a cKySVG.
Qlong SvgDrawCallback(void* writer, Dword message, Qlong x1, Qlong y1, Qlong x2, Qlong y2,
                      const void* state_or_text);

// The font size shared by every SVG writer (10 until a message 11 sets it);
// tests put it back.
void SvgResetFontSizeForTest(void);

// Appends the text as XML character data: &, <, >, and quotes escaped,
// characters XML forbids (control characters but tab, line feed and
// return; U+FFFE, U+FFFF) replaced by U+FFFD, valid UTF-8 kept and any
// other byte read as Latin-1.
void SvgAppendEscaped(std::string* out, const char* text);

// Draws the object into an SVG file of width x height units: 0, 14 (no
// object) or 48 (no file chosen, or it could not be created or written).
VELTRIA_API LibErrorCode GrobToSvgFile(Dword flags, cGrob* object, Dword width, Dword height,
                                       const char16_t* path);
