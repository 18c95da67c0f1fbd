// The panel window as the host shows it, and the selection kept in step in both directions.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "PluginFixture.h"

namespace {
class PanelTest : public PluginFixture {
 protected:
  PanelTest()
      : PluginFixture(
            "Group group\n"
            "  Member materials 0 1\n"
            "Camera camera\n"
            "Light light\n",
            kPanelShown) {}

  int Calls(const char* function) { return simLogCountOf(function); }
};

TEST_F(PanelTest, LeftClickShowsRestoresAndRebuilds) {
  HWND window = host.Panel();
  EXPECT_TRUE(IsWindowVisible(window));
  simCreateObject(nullptr, "Added", e_tsxPOLYH);
  EXPECT_EQ(host.LeftClick(), 1);  // shown: rebuilds only
  EXPECT_NE(host.Find("Added"), nullptr);
  ShowWindow(window, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(window));
  EXPECT_EQ(host.LeftClick(), 1);
  EXPECT_FALSE(IsIconic(window));
  EXPECT_TRUE(IsWindowVisible(window));
  host.Deactivate();
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(host.LeftClick(), 1);
  EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(PanelTest, VisibleToolRowIsToggleDeleteRefreshWithTheirHints) {
  HWND bar = user.CommandBar();
  std::vector<std::string> shown;
  int count = static_cast<int>(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    TBBUTTON button{};
    SendMessageA(bar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    if (button.fsState & TBSTATE_HIDDEN) continue;
    shown.push_back((button.fsStyle & BTNS_SEP) ? "|" : ToolHint(bar, i));
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"|", "Toggle Visibility", "Delete Selected Object", "|",
                                             "Refresh Scene Tree"}));
}

// The definition's size is the window's outer one: title bar, tool strip and tree share what the frame
// leaves.
TEST_F(PanelTest, OpensAtTheDefinedOuterSizeWithTheTreeFillingTheRest) {
  RECT window, client, tree;
  GetWindowRect(host.Panel(), &window);
  EXPECT_EQ(window.right - window.left, 243);
  EXPECT_EQ(window.bottom - window.top, 299);
  GetClientRect(host.Panel(), &client);
  GetWindowRect(user.Tree(), &tree);
  MapWindowPoints(nullptr, host.Panel(), reinterpret_cast<POINT*>(&tree), 2);
  EXPECT_EQ(tree.left, 0);
  EXPECT_EQ(tree.top, 13 + 22);
  EXPECT_EQ(tree.right, client.right);
  EXPECT_EQ(tree.bottom, client.bottom);
  EXPECT_EQ(tree.right - tree.left, 235) << "the frame takes 4 pixels a side";
}

TEST_F(PanelTest, ToolTipsOnlyOnTheBarThatShowsHints) {
  EXPECT_EQ(SendMessageA(user.ToolBars().at(0), TB_GETTOOLTIPS, 0, 0), 0) << "File";
  EXPECT_NE(SendMessageA(user.CommandBar(), TB_GETTOOLTIPS, 0, 0), 0);
}

// The tab stops are the tree (first) and the File bar; the command bar is none. Enter on the focused File
// bar opens its menu, so the panel works without a mouse.
TEST_F(PanelTest, TabAndShiftTabMoveTheFocusBetweenTreeAndFileAndEnterOpensTheMenu) {
  HWND file = user.ToolBars().at(0);
  auto tab = [](bool shift) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    HWND from = GetFocus();
    SendMessageA(from, WM_KEYDOWN, VK_TAB, 1);
    SendMessageA(from, WM_CHAR, '\t', 1);
    SendMessageA(GetFocus(), WM_KEYUP, VK_TAB, 0xC0000001);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    return GetFocus();
  };
  SetFocus(user.Tree());
  EXPECT_EQ(tab(false), file);
  EXPECT_EQ(SendMessageA(file, TB_GETHOTITEM, 0, 0), 0) << "the focused bar shows its button as hot";
  EXPECT_EQ(tab(false), user.Tree());
  EXPECT_EQ(SendMessageA(file, TB_GETHOTITEM, 0, 0), -1);
  EXPECT_EQ(tab(true), file);
  EXPECT_EQ(tab(true), user.Tree());
  EXPECT_EQ(tab(true), file);

  simCreateObject(nullptr, "Added", e_tsxPOLYH);
  for (int i = 0; i < 6; ++i) PostMessageA(file, WM_KEYDOWN, VK_DOWN, 0);  // the sixth entry: Refresh
  PostMessageA(file, WM_KEYDOWN, VK_RETURN, 0);
  SendMessageA(file, WM_KEYDOWN, VK_RETURN, 0);
  PluginHost::Pump();
  EXPECT_NE(host.Find("Added"), nullptr) << "Refresh from the File menu, by keys alone";
}

TEST_F(PanelTest, HostSelectionSelectsAndRevealsTheItemAndSendsNothingBack) {
  simUserSelect(Object("Member"));
  EXPECT_EQ(user.SelectedLabel(), "Member");
  EXPECT_TRUE(host.Find("Group")->expanded);
  EXPECT_EQ(Calls("tsxSelectSobj"), 0);
  EXPECT_EQ(PluginHost::Log(), "tsxGetCurrentSelection()\n");
}

TEST_F(PanelTest, HostSelectionOfAnObjectWithoutAnItemRebuildsAndSelectsIt) {
  SobjHandle added = simUserCreate(nullptr, "Zebra", e_tsxPOLYH);
  simUserSelect(added);
  EXPECT_EQ(user.SelectedLabel(), "Zebra");
  EXPECT_GT(Calls("tsxSceneGetFirstNode"), 0);
}

TEST_F(PanelTest, DeselectingEverythingRebuildsWithNothingSelected) {
  simUserSelect(Object("Camera"));
  ASSERT_EQ(user.SelectedLabel(), "Camera");
  simLogClear();
  simUserDeselectAll();
  EXPECT_EQ(Calls("tsxSceneGetFirstNode"), 1);
  EXPECT_EQ(user.SelectedLabel(), "");
}

TEST_F(PanelTest, ClickAndKeyReleaseSelectTheObjectInTheHost) {
  user.Click("Camera");
  EXPECT_EQ(user.SelectedLabel(), "Camera");
  EXPECT_EQ(simGetCurrent(), Object("Camera"));
  // The host's notification of that selection finds the tree already there: nothing more is asked.
  EXPECT_EQ(Calls("tsxGetCurrentSelection"), 1);
  EXPECT_EQ(Calls("tsxSceneGetFirstNode"), 0);
  user.PressKey(VK_DOWN);
  EXPECT_EQ(user.SelectedLabel(), "Group");
  EXPECT_EQ(simGetCurrent(), Object("Group"));
}

// Another program may subclass the tree (accessibility and automation tools do): its notifications must
// still reach the user.
WNDPROC OriginalTreeProc = nullptr;
LRESULT CALLBACK PassingThrough(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(OriginalTreeProc, window, message, wParam, lParam);
}

TEST_F(PanelTest, AClickReachesTheHostWhileAnotherProgramSubclassesTheTree) {
  OriginalTreeProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(host.Tree(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PassingThrough)));
  user.Click("Camera");
  SetWindowLongPtrA(host.Tree(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OriginalTreeProc));
  EXPECT_EQ(simGetCurrent(), Object("Camera"));
}

TEST_F(PanelTest, RootMaterialsAndUnselectableObjectsLeaveTheHostAlone) {
  simUserSelect(Object("Light"));
  host.ExpandAll();
  simLogClear();
  user.Click("Scene");
  user.Click("Material #1");
  EXPECT_EQ(Calls("tsxSelectSobj"), 0);
  EXPECT_EQ(Calls("tsxIsGNodeInScene"), 0);
  simSetSelectable(Object("Camera"), 0);
  user.Click("Camera");
  EXPECT_EQ(Calls("tsxSelectSobj"), 0);
  EXPECT_EQ(simGetCurrent(), Object("Light"));
  EXPECT_EQ(user.SelectedLabel(), "Camera");
}

TEST_F(PanelTest, AClickOnADeletedObjectMakesOnlyTheInSceneCheck) {
  simResetViolations();
  SobjHandle gone = Object("Camera");
  simUserDelete(gone);  // the host's own deletion; the panel keeps its items until it rebuilds
  simLogClear();
  ASSERT_NE(host.Find("Camera"), nullptr);
  user.Click("Camera");
  EXPECT_EQ(CallLog(), std::vector<std::string>{"tsxIsGNodeInScene(" + Serial(gone) + ")"});
}

// A scene of a thousand objects, taller than the view, shown with one group opened by the user's hand.
class LargeScenePanelTest : public PluginFixture {
 protected:
  void SetUp() override {
    PluginFixture::SetUp();
    openGroup = simBuildGeneratedScene(1000, 50);
    for (int i = 1; i < 9; ++i) openGroup = simGetNextSibling(openGroup);
    ShowPanel();
    user.HandClick("Group 9");
    user.HandKey(VK_RIGHT);
    ASSERT_TRUE(host.Find("Group 9")->expanded);
  }

  // Past the end: the view was scrolled, yet a whole row or more stands empty below the last item.
  bool ScrolledPastTheEnd() const {
    HWND tree = user.Tree();
    auto next = [tree](UINT which) {
      return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, which, 0));
    };
    RECT client, last{};
    GetClientRect(tree, &client);
    HTREEITEM item = next(TVGN_LASTVISIBLE);
    std::memcpy(&last, &item, sizeof item);  // the item goes in, its rectangle comes out
    SendMessageA(tree, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&last));
    const int row = static_cast<int>(SendMessageA(tree, TVM_GETITEMHEIGHT, 0, 0));
    return next(TVGN_FIRSTVISIBLE) != next(TVGN_ROOT) && last.bottom + row <= client.bottom;
  }

  SobjHandle openGroup = nullptr;  // "Group 9"
};

TEST_F(LargeScenePanelTest, NoRebuildLeavesTheViewScrolledPastTheEnd) {
  SobjHandle made = nullptr;
  const std::vector<std::pair<const char*, std::function<void()>>> rebuilds{
      {"an object the host made and selected",
       [&] { simUserSelect(made = simUserCreate(nullptr, "Zz new", e_tsxCAMERA)); }},
      {"an object the host made in the open group",
       [&] { simUserSelect(simUserCreate(openGroup, "Zz member", e_tsxLIGHT)); }},
      {"the refresh button after the host deleted the last object",
       [&] {
         simUserDelete(made);
         user.HandClickToolButton(user.CommandBar(), kRefreshButton);
       }},
  };
  for (const auto& [what, rebuild] : rebuilds) {
    SCOPED_TRACE(what);
    rebuild();
    PluginHost::Pump();
    EXPECT_FALSE(ScrolledPastTheEnd());
  }
}
}  // namespace
