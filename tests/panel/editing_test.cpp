// Renaming in place and deleting animation behind the confirmation box, on the real module: labels typed
// into the tree's own edit field, the box answered with real keys and clicks while its loop runs.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "BoxDriver.h"
#include "PluginFixture.h"

namespace {

class EditingTest : public PluginFixture {
 protected:
  EditingTest()
      : PluginFixture(
            "Group group animated\n"
            "  Child animated\n"
            "Alpha camera\n"
            "Omega light\n",
            kPanelShown) {}
  void SetUp() override {
    PluginFixture::SetUp();
    user.Click("Group");
    simLogClear();
  }

  // Edits an item's label as a user does: the edit field, the text, then Enter (or Escape).
  void EditLabel(const std::string& label, const std::string& text, bool commit = true) {
    ASSERT_TRUE(user.EditLabel(label, text, commit)) << "no edit field opened on " << label;
  }
  std::vector<std::string> TopLevelLabels() {
    std::vector<std::string> labels;
    for (const TreeItemInfo& item : host.ReadTree())
      if (item.level == 1) labels.push_back(item.label);
    return labels;
  }
  // Delete Animation on Group, its box answered by the real pointer: the tick, then the button.
  void AnswerTickingDontShowAgain(const char* button) {
    TBoxDriver driver({[](HWND box) { ClickWithPointer(FindCheckBox(box)); },
                       [button](HWND box) { ClickWithPointer(FindButton(box, button)); }});
    user.ChooseFileMenu(kDeleteAnimation);
    ASSERT_EQ(driver.StepsRun(), 2);
    ASSERT_FALSE(driver.ForcedClose());
  }
  int AnimationDeletions() {
    return simLogCountOf("tsxGNodeDeleteScript") + simLogCountOf("tsxGNodeDeleteScriptTree");
  }
};

TEST_F(EditingTest, RenamePassesTheTypedTextAndResortsTheItemAmongItsSiblings) {
  EditLabel("Group", "Zulu group");
  char name[64];
  simGetName(Object("Group"), name, sizeof name);
  EXPECT_STREQ(name, "Zulu group");
  EXPECT_EQ(TopLevelLabels(), (std::vector<std::string>{"Alpha", "Omega", "Zulu group"}));
  EXPECT_EQ(simLogCountOf("tsxSceneGetFirstNode"), 0) << "renaming does not rebuild";
}

TEST_F(EditingTest, AnEmptyLabelIsPassedWholeAndEscapeCancels) {
  EditLabel("Alpha", "Renamed", false);
  EXPECT_EQ(simLogCountOf("tsxGNodeSetName"), 0);
  EXPECT_NE(host.Find("Alpha"), nullptr);
  EditLabel("Alpha", "");
  std::string call = "tsxGNodeSetName(" + Serial(Object("Alpha")) + ",\"\")";
  EXPECT_NE(PluginHost::Log().find(call), std::string::npos) << PluginHost::Log();
  EXPECT_EQ(host.Find("")->level, 1) << "the item shows the empty label until the next rebuild";
}

// A name shows only once the host has taken it: an object the host deleted since the last rebuild, or a
// host that fails inside the rename, leaves the label as it was.
TEST_F(EditingTest, ARenameTheHostNeverReceivedLeavesTheLabelAsItWas) {
  simUserDelete(Object("Alpha"));
  simFailCall("tsxGNodeSetName", 1, SIM_FAIL_ACCESS_VIOLATION);
  for (const char* label : {"Alpha", "Omega"}) {
    SCOPED_TRACE(label);
    ASSERT_NE(user.OpenLabelEdit(user.Item(label), ""), nullptr);
    user.HandType("Renamed");
    user.HandKey(VK_RETURN);
    EXPECT_NE(host.Find(label), nullptr);
    EXPECT_EQ(host.Find("Renamed"), nullptr);
  }
  EXPECT_EQ(simLogCountOf("tsxGNodeSetName"), 1) << "Omega's, which failed";
}

// F2 opens the edit field on the selected item, as in the system's file views; the field takes no more than
// the longest name the tree shows.
TEST_F(EditingTest, F2RenamesTheSelectedItemInAFieldOfAtMost255Characters) {
  user.HandClick("Omega");
  user.HandKey(VK_F2);
  auto edit = reinterpret_cast<HWND>(SendMessageA(user.Tree(), TVM_GETEDITCONTROL, 0, 0));
  ASSERT_NE(edit, nullptr);
  char text[64] = "";
  GetWindowTextA(edit, text, sizeof text);
  EXPECT_STREQ(text, "Omega");
  user.HandType(std::string(300, 'x'));
  user.HandKey(VK_RETURN);
  char name[512] = "";
  simGetName(Object("Omega"), name, sizeof name);
  EXPECT_EQ(name, std::string(255, 'x'));
  EXPECT_NE(host.Find(std::string(255, 'x')), nullptr);
}

TEST_F(EditingTest, RenamingTheRootOnlyChangesTheTreeUntilTheNextRebuild) {
  EditLabel("Scene", "My scene");
  EXPECT_EQ(simLogCountOf("tsxGNodeSetName"), 0);
  EXPECT_NE(host.Find("My scene"), nullptr);
  host.LeftClick();
  EXPECT_NE(host.Find("Scene"), nullptr);
}

// An edit still open when the tree is rebuilt belongs to an item that is gone; the control's items go to
// the new items place by place, so Enter would give the typed name to whichever object now stands where
// the edited one stood (a new object sorted in before it moves every later one down). Whatever ends the
// edit, the typed name goes to the edited object or nowhere: a click elsewhere may end it by taking the
// focus, which keeps the text, as Windows does.
TEST_F(EditingTest, ARebuildWhileALabelIsEditedNeverRenamesAnotherObject) {
  const std::vector<std::pair<const char*, std::function<void()>>> rebuilds{
      {"refresh", [this] { user.ClickToolButton(user.CommandBar(), kRefreshButton); }},
      {"the host's plug-in button", [this] { host.LeftClick(); }},
      {"a host selection change", [] { simUserDeselectAll(); }},
      {"a regroup by drag", [this] { user.Drag("Alpha", "Group"); }},
  };
  const std::string renamed = "tsxGNodeSetName(" + Serial(Object("Omega")) + ",\"Typed\")";
  for (size_t i = 0; i < rebuilds.size(); ++i) {
    SCOPED_TRACE(rebuilds[i].first);
    int from = simLogCount();
    HWND edit = user.OpenLabelEdit(user.Item("Omega"), "Typed");
    ASSERT_NE(edit, nullptr);
    simUserCreate(nullptr, ("Aa" + std::to_string(i)).c_str(), e_tsxCAMERA);
    rebuilds[i].second();
    EXPECT_FALSE(IsWindow(edit)) << "the edit ends with the rebuild";
    if (IsWindow(edit)) user.EndLabelEdit(edit, true);
    for (const std::string& entry : CallLog(from)) {
      if (entry.rfind("tsxGNodeSetName(", 0) == 0) {
        EXPECT_EQ(entry, renamed);
      }
    }
    simUserRename(Object("Omega"), "Omega");
    host.LeftClick();
  }
}

TEST_F(EditingTest, NoAndTheCloseBoxDeleteNoAnimation) {
  {
    TBoxDriver driver({[](HWND box) { TypeChar(box, 'n'); }});
    user.ChooseFileMenu(kDeleteAnimation);
    EXPECT_EQ(driver.StepsRun(), 1);
  }
  {
    TBoxDriver driver({[](HWND box) { CloseFromTitleBar(box); }});
    user.ChooseFileMenu(kDeleteAnimationTree);
    EXPECT_EQ(driver.StepsRun(), 1);
  }
  EXPECT_EQ(AnimationDeletions(), 0);
  EXPECT_TRUE(simHasAnimation(Object("Group")));
}

TEST_F(EditingTest, YesDeletesTheObjectsOrTheSubtreesAnimation) {
  {
    TBoxDriver driver({[](HWND box) { PressKey(box, VK_RETURN); }});
    user.ChooseFileMenu(kDeleteAnimation);
  }
  EXPECT_EQ(simLogCountOf("tsxGNodeDeleteScript"), 1);
  EXPECT_FALSE(simHasAnimation(Object("Group")));
  EXPECT_TRUE(simHasAnimation(Object("Child")));
  simSetAnimation(Object("Group"), 1);
  {
    TBoxDriver driver({[](HWND box) { PressKey(box, VK_RETURN); }});
    user.ChooseFileMenu(kDeleteAnimationTree);
  }
  EXPECT_EQ(simLogCountOf("tsxGNodeDeleteScriptTree"), 1);
  EXPECT_FALSE(simHasAnimation(Object("Group")));
  EXPECT_FALSE(simHasAnimation(Object("Child")));
}

// The tick stands for the answer it was given with: both commands then do what that answer did, without a
// box.
TEST_F(EditingTest, TickedWithNoLaterDeleteAnimationCommandsAskNothingAndDeleteNothing) {
  AnswerTickingDontShowAgain("&No");
  int boxesBefore = CountBoxWindows();
  user.ChooseFileMenu(kDeleteAnimation);
  user.ChooseFileMenu(kDeleteAnimationTree);
  EXPECT_EQ(CountBoxWindows(), boxesBefore);
  EXPECT_EQ(AnimationDeletions(), 0);
  EXPECT_TRUE(simHasAnimation(Object("Group")));
  EXPECT_TRUE(simHasAnimation(Object("Child")));
}

TEST_F(EditingTest, TickedWithYesLaterOnesDeleteWithoutAsking) {
  AnswerTickingDontShowAgain("&Yes");
  simSetAnimation(Object("Group"), 1);
  int boxesBefore = CountBoxWindows();
  user.ChooseFileMenu(kDeleteAnimationTree);
  EXPECT_EQ(CountBoxWindows(), boxesBefore);
  EXPECT_FALSE(simHasAnimation(Object("Group")));
  EXPECT_FALSE(simHasAnimation(Object("Child")));
}

TEST_F(EditingTest, AnObjectDeletedWhileTheBoxIsOpenIsLeftAlone) {
  SobjHandle target = Object("Group");
  {
    TBoxDriver driver({[target](HWND box) {
      simUserDelete(target);
      PressKey(box, VK_RETURN);
    }});
    user.ChooseFileMenu(kDeleteAnimation);
  }
  EXPECT_EQ(AnimationDeletions(), 0);
}
}  // namespace
