// Conversions between probabilities, scores in [-1, 1] and
// minus-log-probabilities.
#include <cmath>

#include "scalar/int_helpers.h"

VELTRIA_API double ssProbabilityToScore(double p) {
  if (p < 0) return -1;
  if (p > 1) return 1;
  return 2 * p - 1;
}

VELTRIA_API double ssScoreToProbability(double s) {
  if (s < -1) s = -1;
  if (s > 1) s = 1;
  return (s + 1) / 2;
}

VELTRIA_API double ssProbabilityToMlp(double p, double cap) {
  if (p < 3.72e-44) p = 3.72e-44;
  if (p > 1) p = 1;
  return std::fmin(cap, -std::log(p));
}

VELTRIA_API double ssMlpToProbability(double m) { return std::exp(-(m < 0 ? 0 : m)); }

VELTRIA_API double ssMlpToScore(double m, double scale) {
  return ssProbabilityToScore(std::exp(-m * (1 / scale)));
}

VELTRIA_API double ssScoreToMlp(double s, double scale) {
  return scale * ssProbabilityToMlp(ssScoreToProbability(s), 100);
}

VELTRIA_API double ssScoreQuality(double s, double q) {
  if (s < -1) s = -1;
  if (s > 1) s = 1;
  if (q < 0) q = 0;
  return s * (q * q / (1 + q * q));
}
