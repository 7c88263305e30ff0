// The writer of Bruker acquisition folders: an item's blocks back into a
// `fid` or `ser` file in the reader's layout, with the item's own `acqus`
// (and for a `ser` its `acqu2s` and `difflist`) beside it, patched to the
// data written. Files that are replaced are kept once as ".backup" copies;
// every file is written through a temporary file put in place in one step.
#pragma once
#include "base/types.h"

class cKyData;

// Writes the node's blocks into `folder` (UTF-16; without one the user
// picks it). Codes: 14 no node or no blocks, fewer blocks than NBLK, or
// a block without its three rows; 21 no parameters or no NBLK; 15 blocks
// that are not time-domain data or samples that are not finite;
// 16 a DTYPA other than 0 and 2 or a BYTORDA other than 0 and 1; 17 blocks
// of unequal sizes; 59 a data file name other than fid or ser; 56 no
// `acqus` (or `acqu2s` for a ser) to put beside the data; 48 no folder
// chosen or a file that cannot be written; the error of the inverse
// transform of spectra (which runs on a copy). Nothing is written when the
// node is refused. The node itself is never changed.
LibErrorCode SaveBrukerData(cKyData* node, const char16_t* folder);
