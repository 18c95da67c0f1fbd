// The standard control's corrections: image events once per display request, a deletion notification for
// every item at destruction, the colour after a system colour change, tooltips off on NT with an old
// comctl32.dll; the keypad's star draws the branch it opens once, when it is open.
#include <string>

#include "ImgList.h"
#include "QxPlatformFacts.h"
#include "TreeHost.h"
#include "TreeReader.h"

namespace {
class DisplayRequestTest : public TreeViewTest {
 protected:
  void SetUp() override {
    TreeViewTest::SetUp();
    FillTree();
  }
  int ImageEvents = 0;
  int SelectedEvents = 0;
};

TEST_F(DisplayRequestTest, EachImageEventIsRaisedOnceAheadOfTheTextAndTheItemsOwnIndicesAreAnswered) {
  char text[64] = "";
  Tree->OnGetImageIndex = [&](TComponent*, TTreeNode* node) {
    ++ImageEvents;
    EXPECT_STREQ(text, "") << "the label is copied after the event";
    node->SetImageIndex(5);
  };
  Tree->OnGetSelectedIndex = [&](TComponent*, TTreeNode* node) {
    ++SelectedEvents;
    node->SetSelectedIndex(6);
  };
  TTreeNode* beta = Node("Beta");
  beta->SetStateIndex(1);
  for (int request = 1; request <= 2; ++request) {
    text[0] = 0;
    NMTVDISPINFOA info{};
    info.hdr.hwndFrom = TreeWindow();
    info.hdr.code = TVN_GETDISPINFOA;
    info.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    info.item.hItem = beta->ItemId();
    info.item.lParam = reinterpret_cast<LPARAM>(beta);
    info.item.pszText = text;
    info.item.cchTextMax = sizeof text;
    SendMessageA(Form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(ImageEvents, request);
    EXPECT_EQ(SelectedEvents, request) << "the handlers are attached again after each request";
    EXPECT_EQ(info.item.iImage, 5);
    EXPECT_EQ(info.item.iSelectedImage, 6);
    EXPECT_STREQ(text, "Beta");
  }
  // The state image the control shows is the item's own (read with the handlers gone: reading the item
  // back is a display request too).
  Tree->OnGetImageIndex = nullptr;
  Tree->OnGetSelectedIndex = nullptr;
  EXPECT_EQ(ReadTreeItem(TreeWindow(), beta->ItemId()).state, 1);
}

// Counts the control's own display requests on their way to the parent.
struct TRequestCounter {
  static inline HWND Parent = nullptr;
  static inline int Images = 0;
  static inline int SelectedImages = 0;
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    auto* call = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->hwnd == Parent && call->message == WM_NOTIFY) {
      auto* info = reinterpret_cast<NMTVDISPINFOA*>(call->lParam);
      if (info->hdr.code == TVN_GETDISPINFOA) {
        Images += (info->item.mask & TVIF_IMAGE) != 0;
        SelectedImages += (info->item.mask & TVIF_SELECTEDIMAGE) != 0;
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
};

TEST_F(DisplayRequestTest, ARealPaintRaisesOneImageEventPerRequestOfTheControl) {
  TImageList images(nullptr);
  images.SetHandle(ImageList_Create(16, 16, ILC_COLOR24, 4, 0));
  ImageList_SetImageCount(images.Handle(), 4);
  Tree->SetImages(&images);
  Tree->OnGetImageIndex = [&](TComponent*, TTreeNode*) { ++ImageEvents; };
  Tree->OnGetSelectedIndex = [&](TComponent*, TTreeNode*) { ++SelectedEvents; };
  TRequestCounter::Parent = Form->Handle();
  TRequestCounter::Images = TRequestCounter::SelectedImages = 0;
  TThreadHook hook = HookThread(WH_CALLWNDPROC, TRequestCounter::Hook);
  RedrawWindow(TreeWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  Pump();
  hook.reset();
  Tree->SetImages(nullptr);
  EXPECT_GT(TRequestCounter::Images, 0);
  EXPECT_EQ(ImageEvents, TRequestCounter::Images);
  EXPECT_EQ(SelectedEvents, TRequestCounter::SelectedImages);
}

class DestructionTest : public TreeViewTest {};

TEST_F(DestructionTest, RaisesOnDeletionOnceForEveryItemChildrenBeforeTheirParent) {
  FillTree();
  TTreeNode* zeta = Tree->Items().AddChild(nullptr, "Zeta");
  Tree->Items().AddChild(zeta, "Z1");
  std::vector<std::string> deleted;
  Tree->OnDeletion = [&](TComponent* sender, TTreeNode* node) {
    EXPECT_EQ(sender, Tree);
    deleted.push_back(node->Text());
  };
  delete Form;
  Form = nullptr;
  const std::vector<std::string> expected{"A1", "A2", "Alpha", "Beta", "Gamma", "Root", "Z1", "Zeta"};
  EXPECT_EQ(deleted, expected);
}

class ToolTipsTest : public TreeViewTest {
 protected:
  // The style of a new control made under the given facts.
  bool HasNoToolTipsStyle(DWORD platform, DWORD versionMS, bool toolTips) {
    SetQxPlatformFactsForTesting(TQxPlatformFacts{platform, versionMS, 0});
    auto* tree = new TQxTreeView(Form);
    tree->ToolTips = toolTips;
    tree->SetParent(Form);
    bool set = (GetWindowLongA(tree->Handle(), GWL_STYLE) & TVS_NOTOOLTIPS) != 0;
    delete tree;
    return set;
  }
};

TEST_F(ToolTipsTest, AreSwitchedOffOnNtWithAComCtl32OlderThan472) {
  EXPECT_TRUE(HasNoToolTipsStyle(VER_PLATFORM_WIN32_NT, 0x00040047, true));
  EXPECT_TRUE(HasNoToolTipsStyle(VER_PLATFORM_WIN32_NT, 0, true)) << "an unreadable version counts as 0";
}

TEST_F(ToolTipsTest, FollowTheToolTipsSettingOtherwise) {
  for (bool toolTips : {true, false}) {
    EXPECT_EQ(HasNoToolTipsStyle(VER_PLATFORM_WIN32_NT, 0x00040048, toolTips), !toolTips);
    EXPECT_EQ(HasNoToolTipsStyle(VER_PLATFORM_WIN32_NT, 0x00060000, toolTips), !toolTips);
    EXPECT_EQ(HasNoToolTipsStyle(VER_PLATFORM_WIN32_WINDOWS, 0x00040047, toolTips), !toolTips);
  }
}

TEST_F(ToolTipsTest, TheSystemsOwnFactsAreRead) {
  ResetQxPlatformFactsForTesting();
  const TQxPlatformFacts& facts = QxPlatformFacts();
  EXPECT_EQ(facts.PlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
  EXPECT_TRUE(IsWinNT());
  // Every comctl32.dll that has a tree view is 4.x or later.
  EXPECT_GE(HIWORD(facts.ComCtl32VersionMS), 4) << std::hex << facts.ComCtl32VersionMS;
  EXPECT_EQ(&QxPlatformFacts(), &facts);
}

class SysColorTest : public TreeViewTest {
 protected:
  void SetUp() override {
    TreeViewTest::SetUp();
    FillTree();
    Node("Alpha")->Expand(false);
    Tree->SetSelected(Node("A2"));
    Pump();
  }
  // The labels the control holds, in display order, with "*" on the selected one.
  std::string ControlItems() {
    std::string all;
    for (const TreeItemInfo& item : ReadTreeItems(TreeWindow()))
      all += item.label + (item.selected ? "* " : " ");
    return all;
  }
};

TEST_F(SysColorTest, ASystemColourIsAppliedAgainByANewWindowThatKeepsTheItems) {
  const std::string before = ControlItems();
  ASSERT_EQ(before, "Root Alpha A1 A2* Beta Gamma ");
  HWND old = TreeWindow();
  SendMessageA(Form->Handle(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_FALSE(IsWindow(old));
  ASSERT_TRUE(Tree->HandleAllocated());
  EXPECT_EQ(ControlItems(), before);
  EXPECT_EQ(Tree->Selected(), Node("A2"));
}

TEST_F(SysColorTest, AColourOfItsOwnStaysWithTheWindow) {
  Tree->SetColor(RGB(200, 220, 240));
  HWND window = TreeWindow();
  EXPECT_EQ(static_cast<COLORREF>(SendMessageA(window, TVM_GETBKCOLOR, 0, 0)), RGB(200, 220, 240));
  SendMessageA(Form->Handle(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(TreeWindow(), window);
  EXPECT_EQ(ControlItems(), "Root Alpha A1 A2* Beta Gamma ");
}

// Under Wine the control draws each level it opens at once, through its own device context: a branch a
// thousand levels deep took 16 s to open on screen. While it opens, the window is marked undrawable.
TEST_F(TreeViewTest, TheKeypadStarOpensADeepBranchWithItsDrawingHeldThenGivenBack) {
  constexpr int kDepth = 40;
  TTreeNodes& items = Tree->Items();
  items.BeginUpdate();
  TTreeNode* node = nullptr;
  for (int level = 0; level < kDepth; ++level) node = items.AddChild(node, "Level " + std::to_string(level));
  items.EndUpdate();
  Tree->SetSelected(items.GetFirstNode());
  Pump();
  ASSERT_TRUE(IsWindowVisible(TreeWindow()));
  int opened = 0, drawable = 0;
  Tree->OnExpanded = [&](TComponent*, TTreeNode*) {
    ++opened;
    if (IsWindowVisible(TreeWindow())) ++drawable;
  };

  SendMessageA(TreeWindow(), WM_KEYDOWN, VK_MULTIPLY, 1 | (MapVirtualKeyA(VK_MULTIPLY, 0) << 16));

  EXPECT_EQ(opened, kDepth - 1);
  EXPECT_EQ(drawable, 0);
  EXPECT_TRUE(IsWindowVisible(TreeWindow())) << "drawing is given back";
  const std::vector<TreeItemInfo> shown = ReadTreeItems(TreeWindow());
  ASSERT_EQ(shown.size(), static_cast<size_t>(kDepth));
  EXPECT_EQ(shown.back().label, "Level " + std::to_string(kDepth - 1));
}
}  // namespace
