// Shared ground for the subscription suites: a fresh simulator log, a plug-in id the host has assigned,
// the library not shutting down, and failures that reach the application's error handling collected.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Application.h"
#include "SceneTools.h"
#include "tsxEvents.h"

using Texts = std::vector<std::string>;

inline const TPlugEvents kAllEvents = TPlugEvents::FromBits(0xFF);

class EventsTest : public ::testing::Test {
 protected:
  static constexpr int kId = 7;

  void SetUp() override {
    simResetScene();
    simClearFailures();
    simLogEnable(1);
    simLogClear();
    PlugId = kId;
    PlugShuttingDown = false;
    Application().OnException = [this](const std::string& message) { failures.push_back(message); };
  }

  void TearDown() override {
    PlugShuttingDown = false;
    events.reset();
    simClearFailures();
    // Whatever a test left registered (shut-down leaves it all) goes, so the next test starts clean.
    for (int id : {kId, kId + 1}) {
      PlugId = id;
      TTsxEvents sweeper(nullptr);
      sweeper.SetEvents(kAllEvents);
      sweeper.SetActive(true);
      sweeper.SetActive(false);
    }
    Application().OnException = nullptr;
  }

  static Texts Withdrawals(int id) {
    std::string p = std::to_string(id);
    return {"tsxSelectionChangedCB(" + p + ",null)",  "tsxOnDestroyCB(" + p + ",null)",
            "tsxActiveTimeChangedCB(" + p + ",null)", "tsxCurrobjMoveCB(" + p + ",null)",
            "tsxRegisterEventCallback(3,cb,0)",       "tsxRegisterEventCallback(0,cb,0)",
            "tsxRegisterEventCallback(1,cb,0)",       "tsxRegisterEventCallback(2,cb,0)"};
  }

  void Activate(TPlugEvents kinds) {
    events->SetEvents(kinds);
    events->SetActive(true);
    simLogClear();
  }

  std::unique_ptr<TTsxEvents> events = std::make_unique<TTsxEvents>(nullptr);
  Texts raised;
  Texts failures;
};
