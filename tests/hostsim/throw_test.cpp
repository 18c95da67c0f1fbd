// With the simulator linked in (as in the white-box suites), an injected failure is a C++ exception thrown
// from inside the host call, and it must reach the code that made the call.
#include "SimFixture.h"

namespace {

class ThrownFailure : public SimTest {
 protected:
  void TearDown() override { tsxSelectionChangedCB(9, nullptr); }
};

TEST_F(ThrownFailure, ReachesTheCallerNamedAndChangesNothing) {
  SobjHandle cube = simCreateObject(nullptr, "Cube", e_tsxPOLYH);
  simFailCall("tsxSobjDelete", 1, SIM_FAIL_THROW);
  try {
    tsxSobjDelete(cube);
    ADD_FAILURE() << "no exception";
  } catch (const SimHostFailure& failure) {
    EXPECT_STREQ(failure.what(), "tsxSobjDelete: injected failure");
  }
  EXPECT_EQ(simIsAlive(cube), 1);
  EXPECT_EQ(tsxSobjDelete(cube), 1) << "only the nth call fails";
  EXPECT_EQ(simViolationCount(), 0);
}

SobjHandle askedFor = nullptr;
void __cdecl NameInsideNotification() {
  char buffer[64];
  tsxGNodeGetName(tsxGetCurrentSelection(), buffer, 63);
  askedFor = tsxGetCurrentSelection();
}

TEST_F(ThrownFailure, ThrownFromACallbacksHostCallLeavesTheHostUsable) {
  SobjHandle a = simCreateObject(nullptr, "A", e_tsxPOLYH);
  SobjHandle b = simCreateObject(nullptr, "B", e_tsxPOLYH);
  tsxSelectionChangedCB(9, NameInsideNotification);
  simFailCall("tsxGNodeGetName", 1, SIM_FAIL_THROW);
  EXPECT_THROW(tsxSelectSobj(a, 0, 0), SimHostFailure);
  EXPECT_EQ(simGetCurrent(), a) << "the selection was made before the notification";
  tsxSelectSobj(b, 0, 0);
  EXPECT_EQ(askedFor, b);
}

}  // namespace
