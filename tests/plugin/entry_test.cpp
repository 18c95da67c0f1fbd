// The host's conversation with the real module: version, descriptive record, clicks, deactivation,
// and loading and unloading in one process.
#include <gtest/gtest.h>

#include "PluginHost.h"
#include "SceneFixture.h"

namespace {
class EntryTest : public SceneFixture {};

TEST_F(EntryTest, ReportsVersionAndDescriptiveRecord) {
  PluginHost host;
  ASSERT_TRUE(host.Loaded());
  EXPECT_EQ(simPluginGetVersion(PluginHost::kPlugId), 500);
  SimPlugData data;
  memset(&data, 0x7F, sizeof data);
  simPluginGetData(PluginHost::kPlugId, &data);
  EXPECT_STREQ(data.title, "Quillon Scene Tree");
  EXPECT_STREQ(data.author, "Quillon Works");
  EXPECT_EQ(data.bitmapId, 100);
  EXPECT_EQ(data.stringId, 0);
}

TEST_F(EntryTest, DescriptionStringAndButtonBitmapAreInTheModule) {
  PluginHost host;
  char text[128] = {};
  ASSERT_GT(LoadStringA(host.Module(), 0, text, sizeof text), 0);
  EXPECT_STREQ(text, "Quillon From Quillon Works");
  HBITMAP button =
      static_cast<HBITMAP>(LoadImageA(host.Module(), MAKEINTRESOURCEA(100), IMAGE_BITMAP, 0, 0, 0));
  ASSERT_NE(button, nullptr);
  BITMAP info{};
  GetObjectA(button, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 34);
  EXPECT_EQ(info.bmHeight, 34);
  DeleteObject(button);
}

TEST_F(EntryTest, LeftClickShowsThePanelInsideTheMainViewAndMakesThePluginActive) {
  PluginHost host;
  host.Initialise();
  HWND panel = host.Panel();
  ASSERT_NE(panel, nullptr) << "the panel must be placed inside the host's main view";
  EXPECT_FALSE(IsWindowVisible(panel));
  EXPECT_EQ(host.LeftClick(), 1);
  EXPECT_TRUE(simPluginIsActive(PluginHost::kPlugId));
  EXPECT_TRUE(IsWindowVisible(panel));
  host.Deactivate();
  EXPECT_FALSE(simPluginIsActive(PluginHost::kPlugId));
  EXPECT_FALSE(IsWindowVisible(panel));
}

// The host may close the view the panel lives in; the panel's windows go with it, not the panel. The next
// click on the plug-in's button shows it again, in the host's new view, with a tree made afresh.
TEST_F(EntryTest, APanelWhoseViewTheHostClosedComesBackAtTheNextLeftClick) {
  simBuildDemoScene();
  PluginHost host;
  host.Initialise();
  host.LeftClick();
  host.ExpandAll();
  std::string before = host.Dump();
  host.ReplaceMainView();
  ASSERT_EQ(host.Panel(), nullptr);
  SobjHandle added = simUserCreate(nullptr, "Added later", e_tsxCAMERA);
  EXPECT_EQ(host.LeftClick(), 1);
  HWND panel = host.Panel();
  ASSERT_NE(panel, nullptr) << "the panel must be placed inside the host's new main view";
  EXPECT_TRUE(IsWindowVisible(panel));
  ASSERT_NE(host.Find("Added later"), nullptr);
  simUserDelete(added);
  host.LeftClick();
  EXPECT_EQ(host.Dump(), before) << "the same scene shows as it did, open branches included";
}

TEST_F(EntryTest, DeactivationKeepsTheTreeAndRightClickChangesNothing) {
  simBuildDemoScene();
  PluginHost host;
  host.Initialise();
  host.LeftClick();
  std::string before = host.Dump();
  ASSERT_NE(before, "");
  int calls = simLogCount();
  host.RightClick();
  EXPECT_EQ(simLogCount(), calls) << PluginHost::Log(calls);
  EXPECT_EQ(host.Dump(), before);
  host.Deactivate();
  EXPECT_EQ(host.Dump(), before);
}

TEST_F(EntryTest, LoadingAndUnloadingMakeNoHostCall) {
  {
    PluginHost host;
    ASSERT_TRUE(host.Loaded());
    host.Initialise();
    host.LeftClick();
  }
  EXPECT_EQ(simViolationCount(), 0) << "no host call may be made inside LoadLibrary or FreeLibrary";
}
}  // namespace
