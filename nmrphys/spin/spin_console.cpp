// The spin-simulation task: three coupled spins 1/2, their line list sorted
// by descending frequency and the transformed spectrum.
#include "nmrphys/spin/spin_console.h"

#include "base/console_out.h"
#include "base/error_codes.h"
#include "nmrphys/spin/spin.h"

LibErrorCode ConSpinSimulationTask(Long, void*) {
  ssConfiguration* config = nullptr;
  cSpinForest* instance = ssOpenInstance(&config);
  if (!instance) {
    Cout(u"\n Error: Could not open a Toravex instance.");
    return kErrInternal;
  }
  ssPrintConfiguration(u"\n\n Default Toravex configuration:\n -------------------------", config);

  double scale = 1.0;
  double shift[3] = {10.0, 30.0, 40.0};
  double j10 = 2.0, j20 = 1.5, j21 = 5.0;
  Dword flags[3] = {0, 0, 0}, spins[3] = {1, 1, 1}, two_i[3] = {1, 1, 1}, species[3] = {0, 0, 0};
  // Packed lower triangle: (0,0) (1,0) (1,1) (2,0) (2,1) (2,2).
  double* couplings[6] = {&shift[0], &j10, &shift[1], &j20, &j21, &shift[2]};
  ssSpinSystemInput input{};
  input.UserId = 666;
  input.IntensityScale = &scale;
  input.GroupCount = 3;
  input.GroupFlags = flags;
  input.EquivalentSpins = spins;
  input.Spin = two_i;
  input.Species = species;
  input.Couplings = couplings;
  if (const ssProfile* profile = ssAddSpinSystem(instance, &input))
    ssPrintProfile(u"\n\n Global Spin Forest Profile:\n -------------------------", profile);

  ssSimulationRequest request{};
  request.Flags = kSsSortDescending | kSsSortFrequency | kSsLineList | kSsSpectrumFromDecay;
  request.UserId = 0;
  request.SubId = 0;
  request.LineCapacity = 100000;
  request.IntensityThreshold = 1e-5;
  request.BaseLinewidth = 0.1;
  request.Points = 8192;
  request.From = -20.0;
  request.To = 100.0;
  request.Phase = 0.0;
  request.PiT0 = 0.0;
  const LibErrorCode result = ssRunSimulation(instance, &request);
  ssCloseInstance(&instance, &request);
  return result;
}
