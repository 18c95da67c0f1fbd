// Shared ground for the simulator's suites: a fresh scene, log and violation count per test, and the few
// readers every suite needs.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SceneTools.h"

using Texts = std::vector<std::string>;

class SimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    simResetScene();
    simClearFailures();
    simLogEnable(1);
    simLogClear();
    simResetViolations();
    simSetLoaderSpan(0);
  }

  static std::string Name(SobjHandle object) {
    char buffer[256] = {};
    return tsxGNodeGetName(object, buffer, 255) ? buffer : "<failed>";
  }

  static std::string LastViolation() {
    char buffer[256] = {};
    simLastViolation(buffer, sizeof buffer);
    return buffer;
  }

  // Names in walk order, children right after their parent, written "parent/child".
  static std::vector<std::string> Walk() {
    std::vector<std::string> names;
    WalkFrom(tsxSceneGetFirstNode(), "", names);
    return names;
  }

 private:
  static void WalkFrom(SobjHandle first, const std::string& path, std::vector<std::string>& names) {
    for (SobjHandle o = first; o; o = tsxGNodeGetNext(o)) {
      names.push_back(path + Name(o));
      WalkFrom(tsxGNodeGetFirstChild(o), path + Name(o) + "/", names);
    }
  }
};
