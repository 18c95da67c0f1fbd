// The ground every suite against the simulator starts from: an empty scene, no failure armed, a host that
// does not call back inside its changes, an empty call log, no violation counted; and at the end of each
// test, no host call on a dead handle.
#pragma once

#include <gtest/gtest.h>

#include "SimControl.h"

class SceneFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    simResetScene();
    simClearFailures();
    simSetReentrant(0);
    simResetViolations();
    simLogEnable(1);
    simLogClear();
  }
  void TearDown() override {
    simClearFailures();
    simSetReentrant(0);
    EXPECT_EQ(simViolationCount(), 0);
  }
};
