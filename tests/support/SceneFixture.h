// The ground every suite against the simulator starts from: an empty scene, no failure armed, a host that
// does not call back inside its changes, an empty call log, no violation counted; and at the end of each
// test, no host call on a dead handle. A suite names the scene its tests start from by an outline.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "SceneTools.h"

class SceneFixture : public ::testing::Test {
 protected:
  explicit SceneFixture(const char* outline = "") : FOutline(outline) {}

  void SetUp() override {
    simResetScene();
    simClearFailures();
    simSetReentrant(0);
    simResetViolations();
    simLogEnable(1);
    FObjects = BuildScene(FOutline);
    simLogClear();
  }
  void TearDown() override {
    simClearFailures();
    simSetReentrant(0);
    EXPECT_EQ(simViolationCount(), 0);
  }

  // An object of the suite's outline, by its name.
  SobjHandle Object(const std::string& name) const { return FObjects.at(name); }

 private:
  const char* FOutline;
  TSceneObjects FObjects;
};
