// The exported life cycle of an engine instance and its listings.
#include <new>

#include "base/console_out.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "nmrphys/spin/spin_system.h"

namespace {

// Quanta beyond this are refused when a system is added: the counts run
// over every K, and the profile's 32-bit fields must hold the sum.
constexpr Qword kMaxTotalQuanta = Qword{1} << 20;

LibErrorCode CheckInput(const ssSpinSystemInput& in) {
  const Dword n = in.GroupCount;
  if (n == 0) return kErrNone;
  if (n > 0xFFFFu) return kErrTooManyItems;  // a line's group code keeps 16 bits of group
  if (!in.IntensityScale || !in.GroupFlags || !in.EquivalentSpins || !in.Spin || !in.Species ||
      !in.Couplings)
    return kErrMissingInputData;
  Qword quanta = 0;
  for (Dword g = 0; g < n; ++g) {
    quanta += Qword{in.Spin[g]} * in.EquivalentSpins[g];
    if (quanta > kMaxTotalQuanta) return kErrTooManyItems;
  }
  return kErrNone;
}

LibErrorCode AddSystem(cSpinForest* forest, const ssSpinSystemInput& in) {
  if (forest->Find(in.UserId, 0)) return kErrDuplicateId;
  if (const LibErrorCode e = CheckInput(in)) return e;
  cSpinSystem* root = new (std::nothrow) cSpinSystem(nullptr);
  if (!root) return kErrAlloc;
  Dword error = root->CopyInput(in);
  if (error == kErrNone) root->index_map = NewArrFill<Dword>(&error, in.GroupCount);
  if (error) {
    delete root;
    return kErrAlloc;
  }
  for (Dword g = 0; g < in.GroupCount; ++g) root->index_map[g] = g;
  root->input.SubId = 0;
  root->input.Executable = 0;
  forest->Append(root);
  root->InitProfile(1.0);
  const LibErrorCode e = SpinRunStage(root);
  // A root whose stages failed part way is removed with what was built, so
  // a retry with the same id works and later runs do not include it. (On
  // success the stages may have deleted the root: it is not touched.)
  if (e) delete root;
  return e;
}

}  // namespace

VELTRIA_API cSpinForest* ssOpenInstance(ssConfiguration** configuration) {
  cSpinForest* forest = new (std::nothrow) cSpinForest;
  if (configuration) *configuration = forest ? &forest->configuration : nullptr;
  return forest;
}

VELTRIA_API ssConfiguration* ssAccessConfiguration(cSpinForest* instance) {
  return instance ? &instance->configuration : nullptr;
}

VELTRIA_API ssProfile* ssAddSpinSystem(cSpinForest* instance, const ssSpinSystemInput* input) {
  if (!instance || !input) return nullptr;
  if (AddSystem(instance, *input) != kErrNone) return nullptr;
  instance->RecomputeGlobalProfile();
  return &instance->global;
}

VELTRIA_API void ssCloseInstance(cSpinForest** instance, ssSimulationRequest* request) {
  if (!instance || !*instance) return;
  if (request) SpinReleaseOutputs(request);
  delete *instance;
  *instance = nullptr;
}

VELTRIA_API void ssPrintConfiguration(const char16_t* title, const ssConfiguration* c) {
  if (title) Cout(title);
  if (!c) return;
  CoutReal(u"\n MaxExecutionTime: ", c->MaxExecutionTime, nullptr, 0, 10);
  CoutDword(u"\n MaxNumberOfTransitions: ", c->MaxNumberOfTransitions, nullptr, 0, 10);
  CoutDword(u"\n MaxManifoldDimension: ", c->MaxManifoldDimension, nullptr, 0, 10);
  CoutReal(u"\n TransitionsIntensityThresholdOverride: ", c->TransitionsIntensityThresholdOverride,
           nullptr, 0, 10);
  CoutDword(u"\n DesiredFragmentationOrder: ", c->DesiredFragmentationOrder, nullptr, 0, 10);
  CoutDword(u"\n FragmentIfEqvSizeExceeds: ", c->FragmentIfEqvSizeExceeds, nullptr, 0, 10);
}

VELTRIA_API void ssPrintProfile(const char16_t* title, const ssProfile* p) {
  if (title) Cout(title);
  if (!p) return;
  CoutDword(u"\n ParentUserId: ", p->ParentUserId, nullptr, 0, 10);
  CoutDword(u"\n ParentSubId: ", p->ParentSubId, nullptr, 0, 10);
  CoutReal(u"\n WeightFactor: ", p->WeightFactor, nullptr, 0, 10);
  CoutDword(u"\n SplittingLevel: ", p->SplittingLevel, nullptr, 0, 10);
  CoutDword(u"\n Branches: ", p->Branches, nullptr, 0, 10);
  CoutDword(u"\n EquivalentSize: ", p->EquivalentSize, nullptr, 0, 10);
  CoutDword(u"\n EnabledEqvGroups: ", p->EnabledEqvGroups, nullptr, 0, 10);
  CoutDword(u"\n Subsystems: ", p->Subsystems, nullptr, 0, 10);
  CoutDword(u"\n ExeSubsystems: ", p->ExeSubsystems, nullptr, 0, 10);
  CoutDword(u"\n NumberOfManifolds: ", p->NumberOfManifolds, nullptr, 0, 10);
  CoutReal(u"\n LargestManifoldDimension: ", p->LargestManifoldDimension, nullptr, 0, 10);
  CoutReal(u"\n NumberOfStates: ", p->NumberOfStates, nullptr, 0, 10);
  CoutReal(u"\n MainTransitions: ", p->MainTransitions, nullptr, 0, 10);
  CoutReal(u"\n C1Transitions: ", p->C1Transitions, nullptr, 0, 10);
  CoutReal(u"\n AllTransitions: ", p->AllTransitions, nullptr, 0, 10);
  CoutReal(u"\n ExecutionTime: ", p->ExecutionTime, nullptr, 0, 10);
  CoutReal(u"\n BytesOfRAM: ", p->BytesOfRAM, nullptr, 0, 10);
}
