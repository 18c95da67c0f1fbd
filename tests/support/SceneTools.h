// Reading and writing the simulated scene the way the suites do: the call log as entries, a handle as the log
// writes it, a scene built from an outline.
#pragma once

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "SimControl.h"

// The simulator's record of the host calls made, from entry from on, one call an entry.
inline std::vector<std::string> CallLog(int from = 0) {
  std::vector<std::string> entries;
  char entry[512];
  for (int i = from; i < simLogCount(); ++i) {
    simLogEntry(i, entry, sizeof entry);
    entries.emplace_back(entry);
  }
  return entries;
}

// An object's handle as the call log writes it: "#" and its serial (appended to: GCC 12 warns falsely, its
// bug 105329, when a literal is put before a temporary).
inline std::string Serial(SobjHandle object) {
  return std::string("#").append(std::to_string(simHandleSerial(object)));
}

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
