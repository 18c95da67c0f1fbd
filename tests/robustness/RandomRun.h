// One seeded random run against the real module: a fresh plug-in, a random scene, then steps of random host
// changes and random user actions through real messages, each step checked against what the scene says.
#pragma once

#include <cstdint>
#include <string>

struct RunResult {
  bool passed = true;
  std::string report;  // on failure: seed, step, the fault and every action of the run so far
};

RunResult RunSeed(std::uint32_t seed, int steps);
