// Renaming in place and deleting animation behind the confirmation box, on the real module: labels typed
// into the tree's own edit field, the box answered with real keys and clicks while its loop runs.
#include <gtest/gtest.h>

#include "BoxDriver.h"
#include "PanelDriver.h"

namespace {

class EditingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    simResetScene();
    simResetViolations();
    group = simCreateObject(nullptr, "Group", e_tsxGROUP);
    child = simCreateObject(group, "Child", e_tsxPOLYH);
    simSetAnimation(group, 1);
    simSetAnimation(child, 1);
    alpha = simCreateObject(nullptr, "Alpha", e_tsxCAMERA);
    simCreateObject(nullptr, "Omega", e_tsxLIGHT);
    host.Initialise();
    EXPECT_EQ(host.LeftClick(), 1);
    panel.ClickItem("Group");
    simLogClear();
  }
  void TearDown() override { EXPECT_EQ(simViolationCount(), 0); }

  // Edits an item's label as a user does: the edit field, the text, then Enter (or Escape).
  void EditLabel(const std::string& label, const std::string& text, UINT endKey = VK_RETURN) {
    HWND edit = reinterpret_cast<HWND>(
        SendMessageA(panel.Tree(), TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(host.FindItem(label))));
    ASSERT_NE(edit, nullptr);
    SetWindowTextA(edit, text.c_str());
    SendMessageA(edit, WM_KEYDOWN, endKey, 0);
    PluginHost::Pump();
  }
  std::vector<std::string> TopLevelLabels() {
    std::vector<std::string> labels;
    for (const TreeItemInfo& item : host.ReadTree())
      if (item.level == 1) labels.push_back(item.label);
    return labels;
  }
  int AnimationDeletions() {
    return simLogCountOf("tsxGNodeDeleteScript") + simLogCountOf("tsxGNodeDeleteScriptTree");
  }

  PluginHost host;
  PanelDriver panel{host};
  SobjHandle group, child, alpha;
};

TEST_F(EditingTest, RenamePassesTheTypedTextAndResortsTheItemAmongItsSiblings) {
  EditLabel("Group", "Zulu group");
  char name[64];
  simGetName(group, name, sizeof name);
  EXPECT_STREQ(name, "Zulu group");
  EXPECT_EQ(TopLevelLabels(), (std::vector<std::string>{"Alpha", "Omega", "Zulu group"}));
  EXPECT_EQ(simLogCountOf("tsxSceneGetFirstNode"), 0) << "renaming does not rebuild";
}

TEST_F(EditingTest, AnEmptyLabelIsPassedWholeAndEscapeCancels) {
  EditLabel("Alpha", "Renamed", VK_ESCAPE);
  EXPECT_EQ(simLogCountOf("tsxGNodeSetName"), 0);
  EXPECT_NE(host.Find("Alpha"), nullptr);
  EditLabel("Alpha", "");
  std::string call = "tsxGNodeSetName(#" + std::to_string(simHandleSerial(alpha)) + ",\"\")";
  EXPECT_NE(PluginHost::Log().find(call), std::string::npos) << PluginHost::Log();
  EXPECT_EQ(host.Find("")->level, 1) << "the item shows the empty label until the next rebuild";
}

TEST_F(EditingTest, RenamingTheRootOnlyChangesTheTreeUntilTheNextRebuild) {
  EditLabel("Scene", "My scene");
  EXPECT_EQ(simLogCountOf("tsxGNodeSetName"), 0);
  EXPECT_NE(host.Find("My scene"), nullptr);
  host.LeftClick();
  EXPECT_NE(host.Find("Scene"), nullptr);
}

TEST_F(EditingTest, NoAndTheCloseBoxDeleteNoAnimation) {
  {
    TBoxDriver driver({[](HWND box) { TypeChar(box, 'n'); }});
    panel.ChooseFileMenu(kDeleteAnimation);
    EXPECT_EQ(driver.StepsRun(), 1);
  }
  {
    TBoxDriver driver({[](HWND box) { CloseFromTitleBar(box); }});
    panel.ChooseFileMenu(kDeleteAnimationTree);
    EXPECT_EQ(driver.StepsRun(), 1);
  }
  EXPECT_EQ(AnimationDeletions(), 0);
  EXPECT_TRUE(simHasAnimation(group));
}

TEST_F(EditingTest, YesDeletesTheObjectsOrTheSubtreesAnimation) {
  {
    TBoxDriver driver({[](HWND box) { PressKey(box, VK_RETURN); }});
    panel.ChooseFileMenu(kDeleteAnimation);
  }
  EXPECT_EQ(simLogCountOf("tsxGNodeDeleteScript"), 1);
  EXPECT_FALSE(simHasAnimation(group));
  EXPECT_TRUE(simHasAnimation(child));
  simSetAnimation(group, 1);
  {
    TBoxDriver driver({[](HWND box) { PressKey(box, VK_RETURN); }});
    panel.ChooseFileMenu(kDeleteAnimationTree);
  }
  EXPECT_EQ(simLogCountOf("tsxGNodeDeleteScriptTree"), 1);
  EXPECT_FALSE(simHasAnimation(group));
  EXPECT_FALSE(simHasAnimation(child));
}

TEST_F(EditingTest, AfterDontShowAgainNoBoxOpensAndTheAnimationIsDeleted) {
  {
    TBoxDriver driver(
        {[](HWND box) { ClickWithMouse(FindCheckBox(box)); }, [](HWND box) { TypeChar(box, 'n'); }});
    panel.ChooseFileMenu(kDeleteAnimation);
  }
  EXPECT_EQ(AnimationDeletions(), 0) << "No still deletes nothing, ticked or not";
  int boxesBefore = CountBoxWindows();
  panel.ChooseFileMenu(kDeleteAnimation);
  EXPECT_EQ(CountBoxWindows(), boxesBefore);
  EXPECT_EQ(simLogCountOf("tsxGNodeDeleteScript"), 1);
  EXPECT_FALSE(simHasAnimation(group));
}

TEST_F(EditingTest, AnObjectDeletedWhileTheBoxIsOpenIsLeftAlone) {
  SobjHandle target = group;
  {
    TBoxDriver driver({[target](HWND box) {
      simUserDelete(target);
      PressKey(box, VK_RETURN);
    }});
    panel.ChooseFileMenu(kDeleteAnimation);
  }
  EXPECT_EQ(AnimationDeletions(), 0);
}
}  // namespace
