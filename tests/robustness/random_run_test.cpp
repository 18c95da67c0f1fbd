// Seeded random runs against the real module: host changes and user actions mixed at random, the tree
// compared with the scene after every step. A failing seed prints itself with every action that led there;
// QUILLON_ROBUSTNESS_SEED replays one seed, QUILLON_ROBUSTNESS_SEEDS and _STEPS make the run longer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "RandomRun.h"

namespace {
constexpr int kBlocks = 8;  // seeds are run in blocks, so ctest can spread them over its processes

int Setting(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::atoi(value) : fallback;
}

class RandomRunTest : public ::testing::TestWithParam<int> {};

TEST_P(RandomRunTest, EveryStepLeavesTheTreeEqualToTheSceneAndTheHostUnharmed) {
  int steps = Setting("QUILLON_ROBUSTNESS_STEPS", 200);
  if (const char* only = std::getenv("QUILLON_ROBUSTNESS_SEED"); only && *only) {
    if (GetParam() != 0) GTEST_SKIP() << "replaying one seed";
    RunResult result = RunSeed(static_cast<std::uint32_t>(std::strtoul(only, nullptr, 10)), steps);
    EXPECT_TRUE(result.passed) << result.report;
    return;
  }
  int seeds = Setting("QUILLON_ROBUSTNESS_SEEDS", 200);
  ASSERT_GT(seeds, 0) << "QUILLON_ROBUSTNESS_SEEDS asks for no run at all";
  if (GetParam() >= seeds) GTEST_SKIP() << "fewer seeds than blocks";
  int first = Setting("QUILLON_ROBUSTNESS_FIRST_SEED", 1);
  for (int seed = first + GetParam(); seed < first + seeds; seed += kBlocks) {
    RunResult result = RunSeed(static_cast<std::uint32_t>(seed), steps);
    ASSERT_TRUE(result.passed) << result.report;
  }
}

INSTANTIATE_TEST_SUITE_P(Block, RandomRunTest, ::testing::Range(0, kBlocks));
}  // namespace
