// The ground every suite against the simulator starts from: an empty scene, no failure armed, a host that
// does not call back inside its changes, an empty call log, no violation counted; and at the end of each
// test, no host call on a dead handle. A suite names the scene its tests start from by an outline.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "SimControl.h"

using TSceneObjects = std::map<std::string, SobjHandle>;

// Adds the objects of an outline to the scene, one a line, indented two spaces a level under its group:
// the name, then what it is and has: "group", "camera" or "light" (a polyhedron otherwise), "animated",
// "hidden", and last "materials" with their indices. Answers the objects by name.
inline TSceneObjects BuildScene(const std::string& outline) {
  TSceneObjects objects;
  std::vector<SobjHandle> path;  // the object last added at each level
  std::istringstream lines(outline);
  for (std::string line; std::getline(lines, line);) {
    size_t indent = line.find_first_not_of(' ');
    if (indent == std::string::npos) continue;
    std::istringstream words(line.substr(indent));
    std::string name, word;
    words >> name;
    int type = e_tsxPOLYH;
    bool animated = false, hidden = false;
    std::vector<int> materials;
    while (words >> word) {
      type = word == "group"    ? e_tsxGROUP
             : word == "camera" ? e_tsxCAMERA
             : word == "light"  ? e_tsxLIGHT
                                : type;
      animated = animated || word == "animated";
      hidden = hidden || word == "hidden";
      if (word == "materials")
        for (int index; words >> index;) materials.push_back(index);
    }
    path.resize(std::min(path.size(), indent / 2));
    SobjHandle object = simCreateObject(path.empty() ? nullptr : path.back(), name.c_str(), type);
    if (!materials.empty()) simSetMaterials(object, materials.data(), static_cast<int>(materials.size()));
    if (animated) simSetAnimation(object, 1);
    if (hidden) simUserSetVisible(object, 0);
    objects[name] = object;
    path.push_back(object);
  }
  return objects;
}

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
