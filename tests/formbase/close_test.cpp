// Closing the tool window from its title bar on the real module: the host hears of it exactly when the
// plug-in is active, and the window is hidden, never destroyed.
#include "PanelFixture.h"

namespace {
class CloseTest : public PanelFixture, public ::testing::WithParamInterface<int> {
 protected:
  // Either close button: 0 the one at the bar's left end, 1 the one at its right end.
  HWND CloseButton() const { return GetParam() == 0 ? parts.closeButton : CloseButton2(); }
  void ClickClose() { ClickLeft(CloseButton(), 7, 7); }
  int ForcedClicks() const { return simLogCountOf("tsxForceLeftClick"); }
};

TEST_P(CloseTest, ClosingTheActivePanelForcesOneLeftClickAndHides) {
  ShowPanel();
  ASSERT_TRUE(simPluginIsActive(PluginHost::kPlugId));
  const int logStart = simLogCount();
  ClickClose();
  EXPECT_EQ(ForcedClicks(), 1);
  EXPECT_EQ(PluginHost::Log(logStart), "tsxForceLeftClick(7)\n");
  EXPECT_FALSE(simPluginIsActive(PluginHost::kPlugId)) << "the host answers by deactivating the plug-in";
  EXPECT_FALSE(IsWindowVisible(panel));
  EXPECT_TRUE(IsWindow(panel)) << "closing hides the window, it does not destroy it";
  EXPECT_EQ(host.Panel(), panel);

  // Shown again by the host's next left click; the same window closes the same way.
  ASSERT_EQ(host.LeftClick(), 1);
  EXPECT_TRUE(IsWindowVisible(panel));
  ClickClose();
  EXPECT_EQ(ForcedClicks(), 2);
  EXPECT_FALSE(IsWindowVisible(panel));
}

TEST_P(CloseTest, ClosingWhileInactiveLeavesTheHostAlone) {
  // Before any left click the window exists but the plug-in is not active.
  parts = FindTitleBar(panel);
  ASSERT_TRUE(parts.Complete());
  ClickClose();
  EXPECT_EQ(ForcedClicks(), 0);

  ShowPanel();
  host.Deactivate();
  ClickClose();
  EXPECT_EQ(ForcedClicks(), 0) << "after deactivation";

  ASSERT_EQ(host.LeftClick(), 1);
  ClickClose();
  ClickClose();
  EXPECT_EQ(ForcedClicks(), 1) << "the first close ended the activity; the second finds it inactive";
}

TEST_P(CloseTest, ReleaseOutsideTheButtonDoesNotClose) {
  ShowPanel();
  PressLeft(CloseButton(), 7, 7);
  MoveTo(CloseButton(), 7, 40, true);
  ReleaseLeft(CloseButton(), 7, 40);
  EXPECT_TRUE(IsWindowVisible(panel));
  EXPECT_EQ(ForcedClicks(), 0);
  EXPECT_TRUE(simPluginIsActive(PluginHost::kPlugId));
}

INSTANTIATE_TEST_SUITE_P(BothCloseButtons, CloseTest, ::testing::Values(0, 1),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return info.param == 0 ? std::string("LeftEnd") : std::string("RightEnd");
                         });

class SystemCloseTest : public PanelFixture {};

TEST_F(SystemCloseTest, WmCloseTakesTheSameRoute) {
  ShowPanel();
  SendMessageA(panel, WM_CLOSE, 0, 0);
  EXPECT_EQ(simLogCountOf("tsxForceLeftClick"), 1);
  EXPECT_FALSE(IsWindowVisible(panel));
  EXPECT_TRUE(IsWindow(panel));
}
}  // namespace
