// The soak pass on the simulated firmware: pass after pass it must leave no
// pool block behind, with every call answering 0, and when any one of its
// allocations fails it must still give back everything else.
#include "frontend/soak.h"
#include "tests/fixture.h"
#include "tests/scene_util.h"

namespace {

using Soak = DriverTest;

TEST_F(Soak, PassesKeepNoMemoryAndEveryControlReachesTheScreen) {
  SceneContext C = SceneContextOf(Fw);
  // 154 passes: every paint step of the list popup (14), option popup and dock (11).
  for (UINT32 Pass = 0; Pass < 154; Pass++) {
    const uint64_t Blts = sim::Stats().BltByOperation[EfiBltBufferToVideo];
    SoakPass(C, Pass);
    ASSERT_EQ(Fw.LiveAllocations(), 0u) << "after pass " << Pass;
    // List, option popup (paint and close), dialog, message box, dock, row,
    // three readouts, gauge, scroll bar, progress bar, tile, divider.
    ASSERT_GE(sim::Stats().BltByOperation[EfiBltBufferToVideo] - Blts, 15u) << "pass " << Pass;
  }
  EXPECT_EQ(C.FailedCalls, 0u) << C.FirstFailedCall << " answered " << C.FirstFailedStatus;
}

TEST_F(Soak, AnyFailedAllocationOfAPassLeavesNothingBehind) {
  SceneContext C = SceneContextOf(Fw);
  const uint64_t Start = Fw.TotalAllocations();
  SoakPass(C, 3);
  const uint64_t PerPass = Fw.TotalAllocations() - Start;
  ASSERT_GT(PerPass, 20u);
  for (uint64_t Failing = 0; Failing < PerPass; Failing++) {
    Fw.FailAllocation((int64_t)Failing);
    SoakPass(C, 3);
    Fw.FailAllocation(-1);
    ASSERT_EQ(Fw.LiveAllocations(), 0u) << "allocation " << Failing << " of the pass failed";
  }
  // Failures make calls answer errors; once memory is back, a pass is clean again.
  C.FailedCalls = 0;
  SoakPass(C, 3);
  EXPECT_EQ(C.FailedCalls, 0u) << C.FirstFailedCall;
}

}  // namespace
