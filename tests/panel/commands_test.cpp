// The editing commands through the panel's own buttons, menus, label editing and drag and drop, with the
// simulator's call log as the oracle.
#include <gtest/gtest.h>

#include "PanelDriver.h"

namespace {
// Visible entries of the File menu, in order (the hidden context-edit entry not counted).

class CommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    simResetScene();
    simResetViolations();
    group = simCreateObject(nullptr, "Group", e_tsxGROUP);
    first = simCreateObject(group, "First", e_tsxPOLYH);
    second = simCreateObject(group, "Second", e_tsxPOLYH);
    const int materials[] = {0, 1};
    simSetMaterials(second, materials, 2);
    simSetAnimation(first, 1);
    camera = simCreateObject(nullptr, "Camera", e_tsxCAMERA);
    host.Initialise();
    EXPECT_EQ(host.LeftClick(), 1);
    host.ExpandAll();
    simLogClear();
  }
  void TearDown() override { EXPECT_EQ(simViolationCount(), 0); }

  // Host calls beyond the in-scene check.
  int ChangingCalls() {
    int calls = 0;
    for (const char* f :
         {"tsxSelectSobj", "tsxGroupRemoveCurrobj", "tsxGroupAtCurrobj", "tsxGNodeSetName",
          "tsxMNodeSetVisible", "tsxMNodeSetInvisible", "tsxSobjDelete", "tsxGNodeDeleteScript",
          "tsxGNodeDeleteScriptTree", "tsxAViewRefresh", "tsxAllViewsRefresh", "tsxIsMNode"})
      calls += simLogCountOf(f);
    return calls;
  }
  void RunEveryCommand() {
    panel.ClickToolButton(panel.CommandBar(), kVisibilityButton);
    panel.ClickToolButton(panel.CommandBar(), kDeleteButton);
    panel.ChooseFileMenu(kUngroup);
    panel.ChooseFileMenu(kDeleteAnimation);
    panel.ChooseFileMenu(kDeleteAnimationTree);
  }

  PluginHost host;
  PanelDriver panel{host};
  SobjHandle group, first, second, camera;
};

TEST_F(CommandsTest, CommandsOnTheRootAMaterialOrADeletedObjectChangeNothing) {
  panel.ClickItem("Scene");
  RunEveryCommand();
  panel.ClickItem("Material #1");
  RunEveryCommand();
  EXPECT_EQ(ChangingCalls(), 0) << PluginHost::Log();
  panel.ClickItem("Camera");
  simUserDelete(camera);
  simLogClear();
  RunEveryCommand();
  EXPECT_EQ(ChangingCalls(), 0) << PluginHost::Log();
  EXPECT_EQ(simViolationCount(), 0);
}

TEST_F(CommandsTest, ToggleVisibilityFlipsMarksOnTheItemAndEveryDescendant) {
  simUserSetVisible(first, 0);
  panel.ChooseFileMenu(kRefresh);
  host.ExpandAll();
  ASSERT_EQ(host.Find("First")->state, 1);
  panel.ClickItem("Group");
  simLogClear();
  panel.ClickToolButton(panel.CommandBar(), kVisibilityButton);
  EXPECT_EQ(simLogCountOf("tsxMNodeSetInvisible"), 1);
  EXPECT_EQ(simLogCountOf("tsxAllViewsRefresh"), 1);
  EXPECT_FALSE(simIsVisible(group));
  EXPECT_EQ(host.Find("Group")->state, 1);
  EXPECT_EQ(host.Find("First")->state, 0) << "a member already marked loses its mark";
  EXPECT_EQ(host.Find("Second")->state, 1);
  EXPECT_EQ(host.Find("Material #0")->state, 1);
  panel.ClickToolButton(panel.CommandBar(), kVisibilityButton);
  EXPECT_EQ(simLogCountOf("tsxMNodeSetVisible"), 1);
  EXPECT_TRUE(simIsVisible(group));
  EXPECT_EQ(host.Find("Group")->state, 0);
  EXPECT_EQ(host.Find("First")->state, 1);
}

TEST_F(CommandsTest, ToggleVisibilityOfAnObjectWithoutVisibilityDoesNothing) {
  simSetModelNode(camera, 0);
  panel.ClickItem("Camera");
  simLogClear();
  panel.ClickToolButton(panel.CommandBar(), kVisibilityButton);
  EXPECT_EQ(simLogCountOf("tsxMNodeSetInvisible") + simLogCountOf("tsxAllViewsRefresh"), 0);
  EXPECT_EQ(host.Find("Camera")->state, 0);
}

TEST_F(CommandsTest, DeleteDeletesWithoutRebuildingAndPressingDeleteDeletesNothing) {
  panel.ClickItem("Camera");
  panel.PressKey(VK_DELETE);
  EXPECT_TRUE(simIsAlive(camera));
  simLogClear();
  panel.ClickToolButton(panel.CommandBar(), kDeleteButton);
  EXPECT_FALSE(simIsAlive(camera));
  // The command itself does not rebuild; the host's notification of the emptied selection does.
  std::string serial = std::string("#").append(std::to_string(simHandleSerial(camera)));
  EXPECT_EQ(PluginHost::Log().rfind("tsxIsGNodeInScene(" + serial + ")\ntsxSobjDelete(" + serial +
                                        ")\ntsxGetCurrentSelection()\ntsxSceneGetFirstNode()\n",
                                    0),
            0u)
      << PluginHost::Log();
}

TEST_F(CommandsTest, UngroupTakesTheObjectOutAndRebuilds) {
  panel.ClickItem("First");
  simLogClear();
  panel.ChooseFileMenu(kUngroup);
  EXPECT_EQ(simGetParent(first), nullptr);
  std::string serial = std::string("#").append(std::to_string(simHandleSerial(first)));
  std::string log = PluginHost::Log();
  // Between the two, the host's notification finds the tree already on the object.
  EXPECT_EQ(
      log.rfind("tsxIsGNodeInScene(" + serial + ")\ntsxSelectSobj(" + serial +
                    ",0,1)\ntsxGetCurrentSelection()\ntsxGroupRemoveCurrobj()\ntsxSceneGetFirstNode()\n",
                0),
      0u)
      << log;
  EXPECT_EQ(host.Find("First")->level, 1);
}

TEST_F(CommandsTest, RefreshShowsTheHostsCurrentScene) {
  simUserRename(camera, "Camera Renamed");
  panel.ClickToolButton(panel.CommandBar(), kRefreshButton);
  EXPECT_NE(host.Find("Camera Renamed"), nullptr);
}

TEST_F(CommandsTest, DroppingOnTheRootTakesTheObjectOutOfItsGroup) {
  panel.Drag("First", "Scene");
  EXPECT_EQ(simGetParent(first), nullptr);
  EXPECT_EQ(simLogCountOf("tsxAViewRefresh"), 1);
  EXPECT_EQ(host.Find("First")->level, 1);
}

TEST_F(CommandsTest, DroppingOnAMaterialItemAlsoTakesTheObjectOut) {
  panel.Drag("First", "Material #1");
  EXPECT_EQ(simGetParent(first), nullptr);
}

TEST_F(CommandsTest, DroppingOnItsOwnGroupChangesNothingButRefreshesAndRebuilds) {
  panel.Drag("First", "Group");
  EXPECT_EQ(simGetParent(first), group);
  EXPECT_EQ(simLogCountOf("tsxSelectSobj"), 0);
  EXPECT_EQ(simLogCountOf("tsxAViewRefresh"), 1);
  EXPECT_EQ(simLogCountOf("tsxSceneGetFirstNode"), 1);
}

TEST_F(CommandsTest, OneOfTwoMembersOntoTheOtherChangesNothing) {
  panel.Drag("First", "Second");
  EXPECT_EQ(simGetParent(first), group);
  EXPECT_EQ(simLogCountOf("tsxGroupRemoveCurrobj"), 0);
}

TEST_F(CommandsTest, WithThreeMembersTheDraggedOneJoinsTheTarget) {
  simCreateObject(group, "Third", e_tsxPOLYH);
  panel.ChooseFileMenu(kRefresh);
  host.ExpandAll();
  simLogClear();
  panel.Drag("First", "Second");
  EXPECT_EQ(simGetParent(first), second);
  // The host's notifications of the panel's own selections during the regrouping are ignored.
  std::string log = PluginHost::Log();
  EXPECT_EQ(log.substr(0, log.find("tsxAViewRefresh")).find("tsxGetCurrentSelection"), std::string::npos)
      << log;
  host.ExpandAll();
  EXPECT_EQ(host.Find("First")->level, 3);
}

TEST_F(CommandsTest, DropOntoItsOwnDescendantIsRefusedByTheHostAndTheTreeStaysTrue) {
  panel.Drag("Group", "First");
  EXPECT_EQ(simGetParent(first), group);
  EXPECT_EQ(simGetParent(group), nullptr);
  host.ExpandAll();
  EXPECT_EQ(host.Find("First")->level, 2);
}

TEST_F(CommandsTest, DroppingOutsideTheTreeDoesNothing) {
  panel.DragOutside("First");
  EXPECT_EQ(simLogCountOf("tsxAViewRefresh"), 0);
  EXPECT_EQ(simGetParent(first), group);
}

TEST_F(CommandsTest, TheRootAndMaterialsCannotBeDragged) {
  panel.Drag("Material #1", "Camera");
  panel.Drag("Scene", "Camera");
  EXPECT_EQ(simLogCountOf("tsxAViewRefresh"), 0);
}
}  // namespace
