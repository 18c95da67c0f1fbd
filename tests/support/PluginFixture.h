// The real module in the test host, started the way the host starts a plug-in, with a user's hand on its
// panel. A suite builds its scene in its own SetUp, then shows the panel.
#pragma once

#include "PanelUser.h"
#include "SceneFixture.h"

class PluginFixture : public SceneFixture {
 protected:
  void SetUp() override {
    SceneFixture::SetUp();
    ASSERT_TRUE(host.Loaded());
    host.Initialise();
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
};
