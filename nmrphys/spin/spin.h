// The spin engine's exported interface: an instance (a forest of spin
// systems) is opened, configured, given spin systems and asked for
// simulation runs, then closed with the outputs of a request.
#pragma once
#include "base/types.h"

class cSpinForest;

// Settings of an instance.
struct ssConfiguration {
  double MaxExecutionTime;                       // [s] estimated run time of the selected system
  Dword MaxNumberOfTransitions;                  // limit of the estimated number of lines
  Dword MaxManifoldDimension;                    // at most 65535 (two indices per 32-bit element)
  double TransitionsIntensityThresholdOverride;  // threshold of a request that gives 0
  Dword DesiredFragmentationOrder;               // neighbourhood order of the fragmentation
  Dword FragmentIfEqvSizeExceeds;                // fragment only above this EquivalentSize
  Dword BinsPerPoint;                            // spectrum bins per point of a request
};

// Group flag: the group couples, but no line is recorded for it.
enum : Dword { kSpinGroupSpectator = 1 };

// What a caller passes to ssAddSpinSystem (n = GroupCount). The engine
// copies the arrays; the doubles are read through the caller's pointers at
// every run, so they must stay valid until the instance is closed. A null
// pointer inside the coupling arrays reads as 0 (no interaction).
struct ssSpinSystemInput {
  Dword UserId;            // unique in the instance; not 0 for a system a request selects
  double* IntensityScale;  // factor of every line intensity
  Dword GroupCount;
  Dword* GroupFlags;       // n
  Dword* EquivalentSpins;  // n
  Dword* Spin;             // n values of 2I
  Dword* Species;          // n; groups of different codes never interact
  double** Couplings;      // n(n+1)/2, (i, j <= i) at j + i(i+1)/2: shifts on the diagonal, J [Hz]
  double** Dipolar;        // n(n+1)/2 or null: D [Hz], the diagonal a quadratic term
  double** Quadratic;      // n or null: coefficient [Hz] of m^2
  double** Linewidths;     // n or null: extra linewidth [Hz] of the group's lines
  Dword SubId;             // set by the engine (0 for a root)
  Dword Executable;        // set by the engine
};

// Statistics of one system, or summed over the roots for the instance.
struct ssProfile {
  Dword ParentUserId;
  Dword ParentSubId;
  double WeightFactor;
  Dword SplittingLevel;
  Dword Branches;
  Dword EquivalentSize;
  Dword TotalQuanta;
  Dword EnabledEqvGroups;
  Dword Subsystems;
  Dword ExeSubsystems;
  Dword NumberOfManifolds;
  double LargestManifoldDimension;
  double NumberOfStates;
  double MainTransitions;
  double C1Transitions;
  double AllTransitions;
  double ExecutionTime;
  double BytesOfRAM;
};

// One line of a run.
struct ssLine {
  double Frequency;  // [Hz]
  double Intensity;
  double Linewidth;  // [Hz]
  Dword GroupCode;   // root group index of the dominant group + combination order x 65536
  Dword UserId;      // of the line's root system
};

// A binned spectrum (and decay) of one group.
struct ssGroupSpectrum {
  Dword Key;      // user id x 65536 + root group index; 0 while free
  double* Bins;   // bin count values
  double* Decay;  // 2 N' values or null
};

// Request flags.
enum : Dword {
  kSsBinnedSpectrum = 0x1,
  kSsGroupSpectra = 0x2,
  kSsDecay = 0x10,
  kSsGroupDecays = 0x20,
  kSsSpectrumFromDecay = 0x40,
  kSsLineList = 0x100,
  kSsAllTransitions = 0x200,
  kSsSortDescending = 0x400,
  kSsSortGroup = 0x1000,
  kSsSortFrequency = 0x2000,
  kSsSortIntensity = 0x4000,
  kSsSortUserId = 0x8000,
  kSsWindowFromDecay = 0x10000,
  kSsLineListFull = 0x10000000,  // output of a run; in the release rule: keep the basis
  kSsKeepRaising = 0x20000000,
  kSsKeepIz = 0x40000000,
};

// A simulation request: inputs, the fields a run derives, then outputs. The
// outputs belong to the request: a run releases those of an earlier run
// first, so a request starts zeroed and is released by ssCloseInstance.
//
// The transformed decay (flag 0x40) is the library's centred transform of
// a decay sampled at 1/(to - from), so its axis runs against the bins':
// index k holds the frequency to - k (to - from) / N (index N/2 the centre,
// index 0 both ends). A line in bin b of N bins peaks at index N - b (bin
// 545 of 1024 at index 479).
struct ssSimulationRequest {
  Dword Flags;
  Dword UserId;  // 0: every system, under the global profile
  Dword SubId;
  Dword LineCapacity;
  double IntensityThreshold;  // 0: the configuration's override (written back)
  double BaseLinewidth;       // [Hz] full width at half height
  Dword Points;               // N
  double From;                // [Hz]
  double To;                  // [Hz]
  double Phase;               // [rad] of the decay
  double PiT0;                // pi times the time of the first decay point
  Dword DecayPoints;          // N'
  double Dwell;               // [s] 1 / (to - from)
  double Centre;              // [Hz] carrier of the decay
  double T0;                  // [s]
  double Step;                // (to - from) / (N - 1)
  ssProfile* Profile;         // output: the profile that governed the run
  Dword LinesKept;
  ssLine* Lines;
  Dword BinCount;  // N x BinsPerPoint
  double* Bins;
  double* Decay;  // SArr of N' points; the spectrum after the transform
  Dword GroupCount;
  ssGroupSpectrum* GroupSpectra;
};

VELTRIA_API cSpinForest* ssOpenInstance(ssConfiguration** configuration);
VELTRIA_API ssConfiguration* ssAccessConfiguration(cSpinForest* instance);
// The instance's global profile after adding, or null on any error (the
// instance is then as before the call).
VELTRIA_API ssProfile* ssAddSpinSystem(cSpinForest* instance, const ssSpinSystemInput* input);
VELTRIA_API LibErrorCode ssRunSimulation(cSpinForest* instance, ssSimulationRequest* request);
// Releases the request's outputs (when given), deletes the instance and
// clears the pointer; null address or pointer: nothing.
VELTRIA_API void ssCloseInstance(cSpinForest** instance, ssSimulationRequest* request);
VELTRIA_API void ssPrintConfiguration(const char16_t* title, const ssConfiguration* configuration);
VELTRIA_API void ssPrintProfile(const char16_t* title, const ssProfile* profile);
// Adds to re and im (n_points each) the decay of the bins: bin b at
// from + b (to - from) / bin_count, as the binning assigns it.
VELTRIA_API LibErrorCode ssSynthesizeFID(Dword bin_count, const double* bins, double from,
                                         double to, Dword n_points, double centre, double t0,
                                         double dwell, double phase, double linewidth, double* re,
                                         double* im);
