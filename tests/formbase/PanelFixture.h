// The real plug-in in the test host, its panel shown by a left click, with the title bar's parts found.
#pragma once

#include <gtest/gtest.h>

#include "PluginHost.h"
#include "TitleBarProbe.h"

class PanelFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    simResetScene();
    simLogClear();
    simResetViolations();
    ASSERT_TRUE(host.Loaded());
    host.Initialise();
    panel = host.Panel();
    ASSERT_NE(panel, nullptr);
  }
  void TearDown() override { EXPECT_EQ(simViolationCount(), 0); }

  void ShowPanel() {
    ASSERT_EQ(host.LeftClick(), 1);
    ASSERT_TRUE(IsWindowVisible(panel));
    parts = FindTitleBar(panel);
    ASSERT_TRUE(parts.Complete()) << "title bar, its close button, glyph panel and three buttons";
  }

  HWND MinimizeButton() const { return parts.glyphButtons[0]; }
  HWND MaximizeButton() const { return parts.glyphButtons[1]; }
  HWND CloseButton2() const { return parts.glyphButtons[2]; }

  PluginHost host;
  HWND panel = nullptr;
  TitleBarParts parts;
};
