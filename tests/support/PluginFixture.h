// The real module in the test host, started the way the host starts a plug-in, with a user's hand on its
// panel; the suite's scene is built first, and the panel shown on it when the suite asks.
#pragma once

#include "PanelUser.h"
#include "SceneFixture.h"

enum TPanelAtStart { kPanelHidden, kPanelShown };

class PluginFixture : public SceneFixture {
 protected:
  explicit PluginFixture(const char* outline = "", TPanelAtStart panel = kPanelHidden)
      : SceneFixture(outline), FPanel(panel) {}

  void SetUp() override {
    SceneFixture::SetUp();
    ASSERT_TRUE(host.Loaded());
    host.Initialise();
    if (FPanel == kPanelShown) ShowPanel();
  }
  // The host's button shows the panel, which rebuilds from the scene; the call log starts afresh after.
  void ShowPanel() {
    ASSERT_EQ(host.LeftClick(), 1);
    simLogClear();
  }
  // Painting makes no host call and is where Wine spends its time: a suite that looks at no picture hides
  // the host's main view, and the panel in it is never painted.
  void HideMainView() { ShowWindow(host.MainView(), SW_HIDE); }

  PluginHost host;
  PanelUser user{host};

 private:
  TPanelAtStart FPanel;
};
