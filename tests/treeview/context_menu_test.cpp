// Right clicks and menu requests on the real control: one OnNodeContextMenu and at most one menu each.
#include <string>
#include <utility>
#include <vector>

#include "MenuWatcher.h"
#include "TreeHost.h"

namespace {
// Wine's menu loop tells its owner that it ended even when asked to send no notifications; Windows does not.
const TExpected kMenuClosed = Optional("tree WM_EXITMENULOOP");

class RightClickTest : public TreeViewTest {
 protected:
  void SetUp() override {
    TreeViewTest::SetUp();
    FillTree();
    if (GetFocus() == TreeWindow()) SetFocus(Form->Handle());
    FocusKeptOut = KeepFocusOut(TreeWindow());
    ASSERT_EQ(Tree->Selected(), nullptr);
  }
  void TearDown() override {
    FocusKeptOut.reset();
    TreeViewTest::TearDown();
  }
  TThreadHook FocusKeptOut;
};

TEST_F(RightClickTest, OnAnItemRaisesTheEventOnceAndShowsOneMenuAtTheCursor) {
  WatchNodeMenus();
  TMenuWatcher menus;
  TMessageRecorder messages(TreeAndParent());
  POINT at = Centre(LabelRect(Node("Beta")));
  RightClickAt(at);
  // The item's menu comes with the control's right-click notification; the menu request of the standard
  // handling comes after it and is left alone.
  EXPECT_EQ(SequenceMismatch(
                {"tree WM_RBUTTONDOWN", "parent WM_NOTIFY NM_RCLICK", kMenuClosed, "tree WM_CONTEXTMENU"},
                messages.Recorded()),
            "");

  ASSERT_EQ(MenuCalls.size(), 1u);
  EXPECT_EQ(MenuCalls[0].sender, Tree);
  EXPECT_EQ(MenuCalls[0].node, Node("Beta"));
  EXPECT_EQ(MenuCalls[0].pos.x, at.x);
  EXPECT_EQ(MenuCalls[0].pos.y, at.y);
  EXPECT_EQ(MenuCalls[0].menu, Menu);
  ASSERT_EQ(menus.Count(), 1) << "the standard menu request must not add a second one";
  ASSERT_EQ(menus.Shown().size(), 1u);
  POINT screen = ToScreen(at);
  EXPECT_EQ(menus.Shown()[0].origin.x, screen.x);
  EXPECT_EQ(menus.Shown()[0].origin.y, screen.y);
  EXPECT_EQ(menus.Shown()[0].entries, 1);
  EXPECT_EQ(Menu->PopupComponent, Tree);
  EXPECT_FALSE(Tree->NodeMenuShown()) << "the control took the release: the click is over";
  EXPECT_EQ(Tree->Selected(), nullptr) << "the right-clicked item stands in for the selection only meanwhile";
}

// The control takes the release of a right click out of the queue before it reports the click, so no
// release reaches the tree's window; the click must still end, or no fallback menu would ever show again.
TEST_F(RightClickTest, ANullMenuShowsNothingForThatClickAndTheNextClicksAreAnsweredAgain) {
  WatchNodeMenus([](POINT&, TPopupMenu*& menu) { menu = nullptr; });
  TMenuWatcher menus;
  RightClickAt(Centre(LabelRect(Node("Gamma"))));
  EXPECT_EQ(MenuCalls.size(), 1u);
  EXPECT_EQ(menus.Count(), 0) << "neither for the click nor for the menu request that comes with it";
  EXPECT_FALSE(Tree->NodeMenuShown());

  WatchNodeMenus();
  RightClickAt(EmptySpace());
  ASSERT_EQ(MenuCalls.size(), 2u) << "nothing is selected: empty space offers the menu for no item";
  EXPECT_EQ(MenuCalls[1].node, nullptr);
  EXPECT_EQ(menus.Count(), 1);
  SendContextMenu(-1);
  EXPECT_EQ(menus.Count(), 2) << "and so does the menu key";
}

TEST_F(RightClickTest, TheHandlersPositionAndMenuAreTheOnesShown) {
  WatchNodeMenus([this](POINT& pos, TPopupMenu*& menu) {
    pos = POINT{7, 11};
    menu = OtherMenu;
  });
  TMenuWatcher menus;
  RightClickAt(Centre(LabelRect(Node("Root"))));
  ASSERT_EQ(menus.Shown().size(), 1u);
  EXPECT_EQ(menus.Count(), 1);
  POINT screen = ToScreen(POINT{7, 11});
  EXPECT_EQ(menus.Shown()[0].origin.x, screen.x);
  EXPECT_EQ(menus.Shown()[0].origin.y, screen.y);
  EXPECT_EQ(menus.Shown()[0].entries, 2);
  EXPECT_EQ(OtherMenu->PopupComponent, Tree);
}

TEST_F(RightClickTest, OnEmptySpaceWithAnItemSelectedDoesNothing) {
  Tree->SetSelected(Node("Beta"));
  WatchNodeMenus();
  TMenuWatcher menus;
  RightClickAt(EmptySpace());
  EXPECT_TRUE(MenuCalls.empty());
  EXPECT_EQ(menus.Count(), 0);
}

TEST_F(RightClickTest, OnEmptySpaceWithNothingSelectedOffersTheMenuForNoItem) {
  WatchNodeMenus();
  TMenuWatcher menus;
  POINT at = EmptySpace();
  RightClickAt(at);

  ASSERT_EQ(MenuCalls.size(), 1u);
  EXPECT_EQ(MenuCalls[0].node, nullptr);
  EXPECT_EQ(MenuCalls[0].pos.x, at.x);
  EXPECT_EQ(MenuCalls[0].pos.y, at.y);
  EXPECT_EQ(MenuCalls[0].menu, Menu);
  ASSERT_EQ(menus.Shown().size(), 1u);
  EXPECT_EQ(menus.Count(), 1);
  EXPECT_EQ(menus.Shown()[0].origin.x, ToScreen(at).x);
  EXPECT_FALSE(Tree->NodeMenuShown()) << "the handler kept the menu";
}

// A right click whose control lost the capture before the release: the click is reported, and its menu
// shown, with the button still down. The release that follows reaches the tree: the automatic pop-up is
// held off for it (and restored, whatever it was), the mouse-up event still comes, and it ends the click.
TEST_F(RightClickTest, AReleaseAfterTheClickWasReportedShowsNoSecondMenuAndEndsTheClick) {
  // Each press on an item of its own: two presses on one spot would make a double click.
  for (const auto& [autoPopup, label] : {std::pair{true, "Beta"}, std::pair{false, "Gamma"}}) {
    SCOPED_TRACE(autoPopup ? "automatic pop-up on" : "automatic pop-up off");
    Menu->AutoPopup = autoPopup;
    MenuCalls.clear();
    WatchNodeMenus();
    int mouseUps = 0;
    bool autoPopupDuringRelease = true;
    Tree->OnMouseUp = [&](TComponent*, TMouseButton button, TShiftState, int, int) {
      mouseUps += button == mbRight;
      autoPopupDuringRelease = Menu->AutoPopup;
    };
    TMenuWatcher menus;
    RightPressLosingCapture(Centre(LabelRect(Node(label))));
    ASSERT_EQ(menus.Count(), 1);
    ASSERT_TRUE(Tree->NodeMenuShown()) << "the button is still down";

    PointerTo(ToScreen(EmptySpace()));
    TMessageRecorder messages(TreeAndParent());
    RightReleaseHere();
    EXPECT_EQ(SequenceMismatch({"tree WM_RBUTTONUP", "tree WM_CONTEXTMENU"}, messages.Recorded()), "")
        << "the release's own menu request finds nothing to show";
    EXPECT_EQ(mouseUps, 1);
    EXPECT_FALSE(autoPopupDuringRelease);
    EXPECT_EQ(Menu->AutoPopup, autoPopup);
    EXPECT_FALSE(Tree->NodeMenuShown());
    EXPECT_EQ(menus.Count(), 1);
    EXPECT_EQ(MenuCalls.size(), 1u);
  }
  // A release with no reported click before it is the standard one: its menu request reaches the
  // fallback menu, nothing being selected.
  Menu->AutoPopup = true;
  TMenuWatcher menus;
  TMessageRecorder messages(TreeAndParent());
  RightReleaseHere();
  EXPECT_EQ(SequenceMismatch({"tree WM_RBUTTONUP", "tree WM_CONTEXTMENU", kMenuClosed}, messages.Recorded()),
            "");
  EXPECT_EQ(menus.Count(), 1);
  ASSERT_EQ(MenuCalls.size(), 2u);
  EXPECT_EQ(MenuCalls[1].node, nullptr);
}

// Hidden entries must not leave a separator at either end or two in a row; the entries' order stays.
TEST_F(TreeViewTest, AMenuLeavesOutSeparatorsThatDivideNothing) {
  const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> cases{
      {{"-", "!Edit", "-", "Show", "-", "-", "Delete", "-"}, {"Show", "-", "Delete"}},
      {{"!Edit", "-", "Show", "Hide", "-", "!Cut", "-", "Delete"}, {"Show", "Hide", "-", "Delete"}},
      {{"Show", "-", "!Edit", "!Cut"}, {"Show"}},
  };
  for (const auto& [entries, shown] : cases) {
    auto* menu = new TPopupMenu(Form);
    for (const std::string& entry : entries) {
      auto* item = new TMenuItem(Form);
      item->Visible = entry[0] != '!';
      item->Caption = item->Visible ? entry : entry.substr(1);
      menu->Add(item);
    }
    menu->PopupComponent = Tree;
    TMenuWatcher menus;
    menu->Popup(300, 300);
    ASSERT_EQ(menus.Shown().size(), 1u);
    EXPECT_EQ(menus.Shown()[0].items, shown);
    EXPECT_EQ(menu->Count(), static_cast<int>(entries.size())) << "the entries themselves stay";
  }
}
}  // namespace
