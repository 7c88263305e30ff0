// The sample layout of `fid` and `ser` files: per block TD samples (real,
// imaginary, real, ...), signed 32-bit integers (DTYPA 0) or 64-bit floats
// (DTYPA 2), little-endian (BYTORDA 0) or big-endian (BYTORDA 1), each
// block padded with zero bytes to the next multiple of 1024.
#pragma once
#include "base/types.h"

struct BrukerLayout {
  Qword samples = 0;  // TD: samples stored per block
  Qword points = 0;   // BS = TD / 2: complex points per block
  Qword blocks = 0;   // NBLK
  Qword dtypa = 0;
  Qword bytorda = 0;

  Qword SampleSize() const { return dtypa == 2 ? 8 : 4; }
};

// 16 for a DTYPA other than 0 and 2 or a BYTORDA other than 0 and 1.
LibErrorCode BrukerCheckEncoding(Qword dtypa, Qword bytorda);

// Bytes from one block's start to the next: TD samples rounded up to a
// multiple of 1024 bytes. An odd TD keeps its unpaired last sample in the
// block (so the blocks stay where the spectrometer put them), but it is no
// point of the decay. 17 when the size does not fit in 64 bits.
LibErrorCode BrukerBlockStride(const BrukerLayout& layout, Qword* stride);

// Whether a data file of `size` bytes holds every block: 17 when the sizes
// overflow, 62 when the file is shorter than the last block's samples (the
// last block's padding may be missing).
LibErrorCode BrukerCheckDataSize(const BrukerLayout& layout, Qword size);

// Decodes the points of one block at `bytes` (at least points x 2 samples).
// Returns the index within the block of the first sample (real and
// imaginary counted alternately from 0) that is not a finite number, or
// all ones when every sample is finite; DTYPA 0 samples always are.
Qword BrukerDecodeBlock(const unsigned char* bytes, const BrukerLayout& layout, double* re,
                        double* im);

// Encodes one block into `out` (stride bytes: samples, then zeros). DTYPA 0
// writes value x scale rounded half away from zero; DTYPA 2 writes value x
// scale as it is.
void BrukerEncodeBlock(const BrukerLayout& layout, const double* re, const double* im, double scale,
                       Qword stride, unsigned char* out);
