#include "app/core/bruker_samples.h"

#include <cstring>

#include "base/error_codes.h"
#include "base/real_round.h"

namespace {

// The sample bytes in file order from/to the machine's little-endian order.
void CopySample(const unsigned char* from, unsigned char* to, Qword size, bool reverse) {
  if (reverse) {
    for (Qword i = 0; i < size; ++i) to[i] = from[size - 1 - i];
  } else {
    std::memcpy(to, from, size);
  }
}

}  // namespace

LibErrorCode BrukerCheckEncoding(Qword dtypa, Qword bytorda) {
  if ((dtypa != 0 && dtypa != 2) || bytorda > 1) return kErrIllegalDataType;
  return kErrNone;
}

LibErrorCode BrukerBlockStride(const BrukerLayout& layout, Qword* stride) {
  *stride = 0;
  const Qword size = layout.SampleSize();
  // Room for the padding stays below 2^64.
  if (layout.samples > (~Qword{0} - 1024) / size) return kErrIllegalDataSize;
  const Qword bytes = layout.samples * size;
  *stride = (bytes + 1023) / 1024 * 1024;
  return kErrNone;
}

LibErrorCode BrukerCheckDataSize(const BrukerLayout& layout, Qword size) {
  Qword stride;
  if (LibErrorCode e = BrukerBlockStride(layout, &stride)) return e;
  if (layout.blocks == 0) return kErrNone;
  const Qword last = layout.samples * layout.SampleSize();
  if (stride != 0 && layout.blocks - 1 > (~Qword{0} - last) / stride) return kErrIllegalDataSize;
  const Qword needed = (layout.blocks - 1) * stride + last;
  return size < needed ? kErrUnexpectedFileEnd : kErrNone;
}

void BrukerDecodeBlock(const unsigned char* bytes, const BrukerLayout& layout, double* re,
                       double* im) {
  const bool reverse = layout.bytorda == 1;
  const Qword size = layout.SampleSize();
  double* targets[2] = {re, im};
  for (Qword k = 0; k < layout.points; ++k) {
    for (int part = 0; part < 2; ++part) {
      const unsigned char* at = bytes + (2 * k + static_cast<Qword>(part)) * size;
      if (size == 4) {
        int32_t v;
        CopySample(at, reinterpret_cast<unsigned char*>(&v), 4, reverse);
        targets[part][k] = static_cast<double>(v);
      } else {
        double v;
        CopySample(at, reinterpret_cast<unsigned char*>(&v), 8, reverse);
        targets[part][k] = v;
      }
    }
  }
}

void BrukerEncodeBlock(const BrukerLayout& layout, const double* re, const double* im, double scale,
                       Qword stride, unsigned char* out) {
  const bool reverse = layout.bytorda == 1;
  const Qword size = layout.SampleSize();
  const double* sources[2] = {re, im};
  for (Qword k = 0; k < layout.points; ++k) {
    for (int part = 0; part < 2; ++part) {
      unsigned char* at = out + (2 * k + static_cast<Qword>(part)) * size;
      const double value = sources[part][k] * scale;
      if (size == 4) {
        const int32_t v = iRealRoundToLong(value, nullptr);
        CopySample(reinterpret_cast<const unsigned char*>(&v), at, 4, reverse);
      } else {
        CopySample(reinterpret_cast<const unsigned char*>(&value), at, 8, reverse);
      }
    }
  }
  const Qword used = layout.points * 2 * size;
  std::memset(out + used, 0, stride - used);
}
