// The real plug-in in the test host, its panel shown by a left click, with the title bar's parts found.
#pragma once

#include "PluginFixture.h"
#include "TitleBarProbe.h"

class PanelFixture : public PluginFixture {
 protected:
  void SetUp() override {
    PluginFixture::SetUp();
    panel = host.Panel();
    ASSERT_NE(panel, nullptr);
  }

  void ShowPanel() {
    PluginFixture::ShowPanel();
    ASSERT_TRUE(IsWindowVisible(panel));
    parts = FindTitleBar(panel);
    ASSERT_TRUE(parts.Complete()) << "title bar, its close button, glyph panel and three buttons";
  }

  HWND MinimizeButton() const { return parts.glyphButtons[0]; }
  HWND MaximizeButton() const { return parts.glyphButtons[1]; }
  HWND CloseButton2() const { return parts.glyphButtons[2]; }

  HWND panel = nullptr;
  TitleBarParts parts;
};
