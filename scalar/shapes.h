// Smooth shapes of one variable: Lorentzian peaks, soft steps, soft-edged
// rectangles and bumps, smooth thresholds and tapers towards bounds. The L
// forms have Lorentzian flanks 1/(1 + f²); the G forms map the L value y to
// the Gaussian flank 2^(-f²) with the same half-height points, and give 0
// where y is below a cut-off (0.01 where no cut-off is passed).
#pragma once
#include "base/types.h"

VELTRIA_API double rLorentzianPeak0(double u);
VELTRIA_API double rLorentzianPeak(double x, double x0, double w, double A);
VELTRIA_API double rLorentzianPeakArea(double w, double A);
VELTRIA_API double rBiLorentzianPeak(double x, double lo, double c, double hi);

VELTRIA_API double rSoftStepUpL(double x, double w);
VELTRIA_API double rSoftStepUpG(double x, double w, double cut);
VELTRIA_API double rSoftStepDownL(double x, double w);
VELTRIA_API double rSoftStepDownG(double x, double w);
VELTRIA_API double rSoftEdgedRectL(double x, double lo, double hi, double wlo, double whi);
VELTRIA_API double rSoftEdgedRectG(double x, double lo, double hi, double wlo, double whi,
                                   double cut);
VELTRIA_API double rBumpL(double x, double w, double e);
VELTRIA_API double rBumpG(double x, double w, double e, double cut);
VELTRIA_API double rBumpReledgeL(double x, double c, double r);
VELTRIA_API double rBumpReledgeG(double x, double c, double r, double cut);

VELTRIA_API double rThresholdL(double x, double lo, double mid, double hi, double s);
VELTRIA_API double rThresholdG(double x, double lo, double mid, double hi, double s, double cut);
VELTRIA_API double rThresholdRelL(double x, double c, double r);
VELTRIA_API double rThresholdRelG(double x, double c, double r, double cut);

VELTRIA_API double rSmoothLoBoundTaper(double x, double b, double k);
VELTRIA_API double rSmoothHiBoundTaper(double x, double b, double k);
VELTRIA_API double rSmoothHiAndLoBoundsTaper(double x, double lo, double hi, double k);
VELTRIA_API double rSmoothIntervalTaper(double x, double lo, double hi, double k);
