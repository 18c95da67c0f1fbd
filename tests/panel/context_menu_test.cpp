// A right click in the panel's tree: the object under the pointer is selected in tree and host before the
// menu opens; the root, the scene itself, gets no menu.
#include <gtest/gtest.h>

#include "BoxDriver.h"
#include "MenuWatcher.h"
#include "PluginFixture.h"

namespace {
class ContextMenuTest : public PluginFixture {
 protected:
  ContextMenuTest() : PluginFixture("Camera camera\n") {}
  // Enough objects after the camera for the tree to scroll.
  void SetUp() override {
    PluginFixture::SetUp();
    for (int i = 0; i < 40; ++i)
      simCreateObject(nullptr, ("Object " + std::to_string(100 + i)).c_str(), e_tsxPOLYH);
    ShowPanel();
  }
};

TEST_F(ContextMenuTest, RightClickOnAnObjectSelectsItInTreeAndHostAndOpensTheMenu) {
  TMenuWatcher menus;
  user.RightClick("Camera");
  ASSERT_EQ(menus.Shown().size(), 1u);
  EXPECT_EQ(menus.Shown()[0].items,
            (std::vector<std::string>{"Toggle Visibility", "Ungroup", "-", "Delete", "Delete Animation",
                                      "Delete Animation (Include Children)"}));
  EXPECT_EQ(user.SelectedLabel(), "Camera");
  EXPECT_EQ(simGetCurrent(), Object("Camera"));
  // The host's notification of that selection is not echoed: the panel asks nothing back.
  EXPECT_EQ(simLogCountOf("tsxGetCurrentSelection"), 0);
  EXPECT_EQ(simLogCountOf("tsxIsSelectable"), 0);
}

// A command of the item's menu that asks first: once the box is answered, the tree has the keyboard back
// and its selection is drawn as the active one, on the item the host has as its current object.
TEST_F(ContextMenuTest, AfterTheConfirmationBoxTheTreeHasTheFocusOnTheRightClickedItem) {
  {
    TBoxDriver driver({[](HWND box) { TypeChar(box, 'n'); }});
    user.RightClick(user.Item("Camera"), 4);  // Delete Animation
    EXPECT_EQ(driver.StepsRun(), 1);
  }
  EXPECT_EQ(simGetCurrent(), Object("Camera"));
  EXPECT_EQ(user.SelectedLabel(), "Camera");
  EXPECT_EQ(GetFocus(), user.Tree());
}

TEST_F(ContextMenuTest, TheRootGetsNoMenuAndChangesNothing) {
  TMenuWatcher menus;
  user.RightClick("Scene");
  EXPECT_EQ(menus.Count(), 0);
  EXPECT_EQ(simLogCountOf("tsxSelectSobj"), 0);
}

// Only the root goes without: an object that a scroll brought to the top is an object like any other.
TEST_F(ContextMenuTest, OnceScrolledTheTopmostObjectGetsItsMenuAndIsSelected) {
  SendMessageA(user.Tree(), WM_VSCROLL, SB_LINEDOWN, 0);
  SendMessageA(user.Tree(), WM_VSCROLL, SB_LINEDOWN, 0);
  PluginHost::Pump();
  HTREEITEM top =
      reinterpret_cast<HTREEITEM>(SendMessageA(user.Tree(), TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
  std::string topLabel;
  for (const TreeItemInfo& item : host.ReadTree())
    if (item.item == top) topLabel = item.label;
  ASSERT_NE(topLabel, "Scene");
  TMenuWatcher menus;
  user.RightClick(topLabel);
  EXPECT_EQ(menus.Count(), 1);
  EXPECT_EQ(user.SelectedLabel(), topLabel);
  EXPECT_EQ(simLogCountOf("tsxSelectSobj"), 1);
}
// File is a plain caption button, no drop-down arrow; a click drops its menu right below it.
TEST_F(ContextMenuTest, FileIsAPlainButtonWhoseClickDropsTheMenuBelowIt) {
  HWND bar = user.ToolBars().at(0);
  TBBUTTON button{};
  SendMessageA(bar, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&button));
  EXPECT_FALSE(button.fsStyle & (BTNS_DROPDOWN | BTNS_WHOLEDROPDOWN));
  EXPECT_FALSE(SendMessageA(bar, TB_GETEXTENDEDSTYLE, 0, 0) & TBSTYLE_EX_DRAWDDARROWS);
  RECT r{};
  SendMessageA(bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.right - r.left, 28);

  TMenuWatcher menus;
  user.ClickToolButton(bar, 0);
  ASSERT_EQ(menus.Shown().size(), 1u);
  POINT below{r.left, r.bottom};
  ClientToScreen(bar, &below);
  EXPECT_EQ(menus.Shown()[0].origin.x, below.x);
  EXPECT_EQ(menus.Shown()[0].origin.y, below.y);
  EXPECT_EQ(
      menus.Shown()[0].items,
      (std::vector<std::string>{"Toggle Visibility", "Ungroup", "-", "Delete Object", "Delete Animation",
                                "Delete Animation (Include Children)", "-", "Refresh"}));
  EXPECT_FALSE(SendMessageA(bar, TB_ISBUTTONPRESSED, button.idCommand, 0)) << "up again once the menu closed";
}
}  // namespace
