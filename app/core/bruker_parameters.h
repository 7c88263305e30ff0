// The parameter entries of one acquisition, read from the folder's
// `acqus`, `acqu2s` and `difflist` texts in the order the data item keeps
// them (BS, SW, DW, XOFF, [DECIM, DSPFVS,] GDLY, NUC, SF, F1, SYF1, GREC,
// DIFFT, PW90, PW180, PGRAD, PULPROG, LITDEL, BIGDEL, BYTORDA, DTYPA, NBLK,
// [BINI, BEND, BGRD, BUNIT]), and the sample layout they describe.
#pragma once
#include <string>
#include <vector>

#include "app/core/bruker_jcamp.h"
#include "app/core/bruker_samples.h"
#include "base/types.h"

struct BrukerEntry {
  std::string name;
  std::string value;
};

struct BrukerAcquisition {
  std::vector<BrukerEntry> entries;
  BrukerLayout layout;
  double sw_h = 0;  // spectral width (Hz)
  double dw = 0;    // dwell time (s), as its entry reads
  double xoff = 0;  // time of the first point (s), as its entry reads
  std::string sw_text, dtypa_text, bytorda_text;
  // Why a step refused the folder: the file it read ("acqus", "acqu2s",
  // "difflist") and what is wrong with it, for the user to see.
  std::string problem_file, problem;
};

// Kinds of DOSY pulse programs by the start of PULPROG (0: none).
int BrukerDosyKind(const std::string& pulprog);

// The three steps of the reading, in order: the entries of `acqus` up to
// DTYPA (48 for a missing key); NBLK and the gradient list (48 without the
// TD of `acqu2s`; 25 for an NBLK that is no number); the checks of the
// values the blocks are built from (25, 17, 16 as below). A refusal names
// the file and the problem in `problem_file` and `problem`.
LibErrorCode BrukerReadAcqus(const BrukerJcampText& acqus, BrukerAcquisition* out);
LibErrorCode BrukerReadBlockCount(const BrukerJcampText* acqu2s, const std::string* difflist,
                                  BrukerAcquisition* out);
LibErrorCode BrukerCheckLayout(BrukerAcquisition* acq);

// All three steps. Reads the entries. `acqu2s` must be given for a `ser` file (null for a
// `fid`); `difflist` is null when the folder has none. Codes:
//  48 a required key of `acqus` (any but SFO1) or the TD of `acqu2s` missing;
//     the reading stops at the first missing key;
//  25 TD, SW_h or NBLK that is not a usable number (SW_h 0 included);
//  17 BS 0 (TD below 2) or a TD too large for the sample layout;
//  16 DTYPA other than 0 or 2, BYTORDA other than 0 or 1;
//  28 a gradient list without lines or with a line (of the first NBLK)
//     that is not one finite number.
LibErrorCode BrukerReadAcquisition(const BrukerJcampText& acqus, const BrukerJcampText* acqu2s,
                                   const std::string* difflist, BrukerAcquisition* out);
