// The Bruker parameter texts: the input as `acqus`, as `acqu2s` and as
// `difflist` at once, every reader of the JCAMP-DX text, and the writer's
// patch of it.
#include <string>

#include "app/core/bruker_acqus_patch.h"
#include "app/core/bruker_jcamp.h"
#include "app/core/bruker_parameters.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const BrukerJcampText text(bytes);
  BrukerAcquisition acq;
  (void)BrukerReadAcquisition(text, &text, &bytes, &acq);
  std::string value;
  for (const char* key : {"TD", "D", "P", "NUC1", "GRPDLY"}) {
    (void)text.ValueText(key, &value);
    (void)text.AngleText(key, &value);
    (void)text.ArrayItem(key, 0, &value);
    (void)text.ArrayItem(key, 63, &value);
  }
  BrukerAcqusPatch patch;
  patch.gdly = 67.98;
  patch.td = 2048;
  patch.scale = 0.5;
  (void)BrukerPatchAcqus(bytes, patch);
  return 0;
}
