// The keyboard's menu request: the menu key alone or Shift+F10, taken in the control's key-down step.
#include "MenuWatcher.h"
#include "TreeHost.h"

namespace {
class KeyboardMenuTest : public TreeViewTest {
 protected:
  void SetUp() override {
    TreeViewTest::SetUp();
    Tree->OnKeyDown = [this](TComponent*, WORD& key, TShiftState) { KeysSeen.push_back(key); };
  }
  std::vector<WORD> KeysSeen;
};

struct TKeyCombination {
  UINT key;
  unsigned modifiers;
};

TEST_F(KeyboardMenuTest, MenuKeyAndShiftF10OfferTheSelectedItemsMenuAtTheCentreOfItsLabel) {
  FillTree();
  Tree->SetSelected(Node("Gamma"));
  WatchNodeMenus();
  const POINT centre = Centre(LabelRect(Node("Gamma")));
  ASSERT_GT(centre.y, 0);
  for (TKeyCombination press : {TKeyCombination{VK_APPS, 0}, TKeyCombination{VK_F10, ssShift}}) {
    SCOPED_TRACE(press.key);
    MenuCalls.clear();
    KeysSeen.clear();
    TMenuWatcher menus;
    TMessageRecorder messages(TreeAndParent());
    SendKey(press.key, press.modifiers);
    // The key is taken: no menu request of the standard handling follows it. (Wine's menu loop says when it
    // ends even when asked to send no notifications; Windows does not.)
    const char* keyMessage = press.key == VK_F10 ? "tree WM_SYSKEYDOWN" : "tree WM_KEYDOWN";
    EXPECT_EQ(SequenceMismatch({keyMessage, Optional("tree WM_EXITMENULOOP")}, messages.Recorded()), "");
    ASSERT_EQ(MenuCalls.size(), 1u);
    EXPECT_EQ(MenuCalls[0].node, Node("Gamma"));
    EXPECT_EQ(MenuCalls[0].pos.x, centre.x);
    EXPECT_EQ(MenuCalls[0].pos.y, centre.y);
    EXPECT_EQ(MenuCalls[0].menu, Menu);
    ASSERT_EQ(menus.Count(), 1);
    ASSERT_EQ(menus.Shown().size(), 1u);
    EXPECT_EQ(menus.Shown()[0].origin.x, ToScreen(centre).x);
    EXPECT_EQ(menus.Shown()[0].origin.y, ToScreen(centre).y);
    EXPECT_EQ(KeysSeen, std::vector<WORD>{0}) << "the key is consumed, OnKeyDown still raised";
  }
}

// On Windows the control reports no rectangle for an item scrolled out of view; Wine's reports one outside
// the client area. Either way the menu goes to the client origin.
TEST_F(KeyboardMenuTest, AnItemScrolledOutOfViewGetsItsMenuAtTheClientOrigin) {
  FillLongTree(60);
  TTreeNode* first = Tree->Items().GetFirstNode();
  Tree->SetSelected(first);
  SendMessageA(TreeWindow(), WM_VSCROLL, SB_BOTTOM, 0);
  Pump();
  ASSERT_NE(Tree->TopItem(), first);
  WatchNodeMenus();
  TMenuWatcher menus;
  SendKey(VK_APPS, 0);
  ASSERT_EQ(MenuCalls.size(), 1u);
  EXPECT_EQ(MenuCalls[0].node, first);
  EXPECT_EQ(MenuCalls[0].pos.x, 0);
  EXPECT_EQ(MenuCalls[0].pos.y, 0);
  ASSERT_EQ(menus.Shown().size(), 1u);
  EXPECT_EQ(menus.Shown()[0].origin.x, ToScreen(POINT{0, 0}).x);
}

TEST_F(KeyboardMenuTest, WithNothingSelectedThePopupMenuAppearsAtTheClientOriginWithoutTheEvent) {
  WatchNodeMenus();
  {
    TMenuWatcher menus;
    SendKey(VK_APPS, 0);
    EXPECT_TRUE(MenuCalls.empty());
    ASSERT_EQ(menus.Shown().size(), 1u);
    EXPECT_EQ(menus.Count(), 1);
    EXPECT_EQ(menus.Shown()[0].origin.x, ToScreen(POINT{0, 0}).x);
    EXPECT_EQ(menus.Shown()[0].origin.y, ToScreen(POINT{0, 0}).y);
  }
  Tree->PopupMenu = nullptr;
  TMenuWatcher menus;
  SendKey(VK_F10, ssShift);
  EXPECT_EQ(menus.Count(), 0);
  EXPECT_TRUE(MenuCalls.empty());
  EXPECT_EQ(KeysSeen.back(), 0) << "consumed even when there is no menu to show";
}

TEST_F(KeyboardMenuTest, OnlyTheExactCombinationsAreTaken) {
  FillTree();
  Tree->SetSelected(Node("Beta"));
  WatchNodeMenus();
  TMenuWatcher menus;
  const TKeyCombination others[] = {{VK_APPS, ssCtrl}, {VK_APPS, ssAlt},           {VK_APPS, ssShift},
                                    {VK_F10, 0},       {VK_F10, ssCtrl | ssShift}, {VK_F10, ssAlt | ssShift},
                                    {VK_F10, ssCtrl}};
  for (TKeyCombination press : others) {
    KeysSeen.clear();
    SendKey(press.key, press.modifiers);
    EXPECT_EQ(KeysSeen, std::vector<WORD>{static_cast<WORD>(press.key)})
        << press.key << " " << press.modifiers;
  }
  EXPECT_TRUE(MenuCalls.empty());
  EXPECT_EQ(menus.Count(), 0);
}
}  // namespace
