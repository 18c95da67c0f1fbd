// The editing commands through the panel's own buttons, menus, label editing and drag and drop, with the
// simulator's call log as the oracle.
#include <gtest/gtest.h>

#include <utility>

#include "MessageSequence.h"
#include "PluginFixture.h"

namespace {
class CommandsTest : public PluginFixture {
 protected:
  CommandsTest()
      : PluginFixture(
            "Group group\n"
            "  First animated\n"
            "  Second materials 0 1\n"
            "Camera camera\n",
            kPanelShown) {}
  void SetUp() override {
    PluginFixture::SetUp();
    host.ExpandAll();
    simLogClear();
  }

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
    user.ClickToolButton(user.CommandBar(), kVisibilityButton);
    user.ClickToolButton(user.CommandBar(), kDeleteButton);
    user.ChooseFileMenu(kUngroup);
    user.ChooseFileMenu(kDeleteAnimation);
    user.ChooseFileMenu(kDeleteAnimationTree);
  }
};

TEST_F(CommandsTest, CommandsOnTheRootAMaterialOrADeletedObjectChangeNothing) {
  user.Click("Scene");
  RunEveryCommand();
  user.Click("Material #1");
  RunEveryCommand();
  EXPECT_EQ(ChangingCalls(), 0) << PluginHost::Log();
  user.Click("Camera");
  simUserDelete(Object("Camera"));
  simLogClear();
  RunEveryCommand();
  EXPECT_EQ(ChangingCalls(), 0) << PluginHost::Log();
  EXPECT_EQ(simViolationCount(), 0);
}

// The marks show the visibility the command gave the host, not the old marks flipped: a member already
// marked stays marked when its group is hidden, and an object hidden in the host since the last rebuild,
// which the host makes visible, shows visible.
TEST_F(CommandsTest, ToggleVisibilityMarksTheItemAndEveryDescendantWithWhatItGaveTheHost) {
  simUserSetVisible(Object("First"), 0);
  user.ChooseFileMenu(kRefresh);
  host.ExpandAll();
  ASSERT_EQ(host.Find("First")->state, 1);
  user.HandClick("Group");
  simLogClear();
  user.HandClickToolButton(user.CommandBar(), kVisibilityButton);
  EXPECT_EQ(simLogCountOf("tsxMNodeSetInvisible"), 1);
  EXPECT_EQ(simLogCountOf("tsxAllViewsRefresh"), 1);
  EXPECT_FALSE(simIsVisible(Object("Group")));
  for (const char* label : {"Group", "First", "Second", "Material #0"})
    EXPECT_EQ(host.Find(label)->state, 1) << label;
  user.HandClickToolButton(user.CommandBar(), kVisibilityButton);
  EXPECT_EQ(simLogCountOf("tsxMNodeSetVisible"), 1);
  EXPECT_TRUE(simIsVisible(Object("Group")));
  for (const char* label : {"Group", "First", "Second", "Material #0"})
    EXPECT_EQ(host.Find(label)->state, 0) << label;

  simUserSetVisible(Object("Camera"), 0);
  ASSERT_EQ(host.Find("Camera")->state, 0) << "the panel still shows it visible";
  user.HandClick("Camera");
  user.HandClickToolButton(user.CommandBar(), kVisibilityButton);
  EXPECT_TRUE(simIsVisible(Object("Camera")));
  EXPECT_EQ(host.Find("Camera")->state, 0);
}

TEST_F(CommandsTest, ToggleVisibilityOfAnObjectWithoutVisibilityDoesNothing) {
  simSetModelNode(Object("Camera"), 0);
  user.Click("Camera");
  simLogClear();
  user.ClickToolButton(user.CommandBar(), kVisibilityButton);
  EXPECT_EQ(simLogCountOf("tsxMNodeSetInvisible") + simLogCountOf("tsxAllViewsRefresh"), 0);
  EXPECT_EQ(host.Find("Camera")->state, 0);
}

TEST_F(CommandsTest, DeleteDeletesWithoutRebuildingAndPressingDeleteDeletesNothing) {
  user.Click("Camera");
  user.PressKey(VK_DELETE);
  EXPECT_TRUE(simIsAlive(Object("Camera")));
  simLogClear();
  user.ClickToolButton(user.CommandBar(), kDeleteButton);
  EXPECT_FALSE(simIsAlive(Object("Camera")));
  // The command itself does not rebuild; the host's notification of the emptied selection does.
  const std::string camera = Serial(Object("Camera"));
  EXPECT_EQ(SequenceMismatch({"tsxIsGNodeInScene(" + camera + ")", "tsxSobjDelete(" + camera + ")",
                              "tsxGetCurrentSelection()", "tsxSceneGetFirstNode()"},
                             CallLog(), TSequenceEnd::kOpen),
            "");
}

TEST_F(CommandsTest, UngroupTakesTheObjectOutAndRebuilds) {
  user.Click("First");
  simLogClear();
  user.ChooseFileMenu(kUngroup);
  EXPECT_EQ(simGetParent(Object("First")), nullptr);
  // Between the two, the host's notification finds the tree already on the object.
  const std::string first = Serial(Object("First"));
  EXPECT_EQ(
      SequenceMismatch({"tsxIsGNodeInScene(" + first + ")", "tsxSelectSobj(" + first + ",0,1)",
                        "tsxGetCurrentSelection()", "tsxGroupRemoveCurrobj()", "tsxSceneGetFirstNode()"},
                       CallLog(), TSequenceEnd::kOpen),
      "");
  EXPECT_EQ(host.Find("First")->level, 1);
}

TEST_F(CommandsTest, RefreshShowsTheHostsCurrentScene) {
  simUserRename(Object("Camera"), "Camera Renamed");
  user.ClickToolButton(user.CommandBar(), kRefreshButton);
  EXPECT_NE(host.Find("Camera Renamed"), nullptr);
}

TEST_F(CommandsTest, DroppingOnTheRootTakesTheObjectOutOfItsGroup) {
  user.Drag("First", "Scene");
  EXPECT_EQ(simGetParent(Object("First")), nullptr);
  EXPECT_EQ(simLogCountOf("tsxAViewRefresh"), 1);
  EXPECT_EQ(host.Find("First")->level, 1);
}

TEST_F(CommandsTest, DroppingOnAMaterialItemAlsoTakesTheObjectOut) {
  user.Drag("First", "Material #1");
  EXPECT_EQ(simGetParent(Object("First")), nullptr);
}

TEST_F(CommandsTest, DroppingOnItsOwnGroupChangesNothingButRefreshesAndRebuilds) {
  user.Drag("First", "Group");
  EXPECT_EQ(simGetParent(Object("First")), Object("Group"));
  EXPECT_EQ(simLogCountOf("tsxSelectSobj"), 0);
  EXPECT_EQ(simLogCountOf("tsxAViewRefresh"), 1);
  EXPECT_EQ(simLogCountOf("tsxSceneGetFirstNode"), 1);
}

TEST_F(CommandsTest, OneOfTwoMembersOntoTheOtherChangesNothing) {
  user.Drag("First", "Second");
  EXPECT_EQ(simGetParent(Object("First")), Object("Group"));
  EXPECT_EQ(simLogCountOf("tsxGroupRemoveCurrobj"), 0);
}

TEST_F(CommandsTest, WithThreeMembersTheDraggedOneJoinsTheTarget) {
  simCreateObject(Object("Group"), "Third", e_tsxPOLYH);
  user.ChooseFileMenu(kRefresh);
  host.ExpandAll();
  simLogClear();
  user.Drag("First", "Second");
  EXPECT_EQ(simGetParent(Object("First")), Object("Second"));
  // The host's notifications of the panel's own selections during the regrouping are ignored.
  std::string log = PluginHost::Log();
  EXPECT_EQ(log.substr(0, log.find("tsxAViewRefresh")).find("tsxGetCurrentSelection"), std::string::npos)
      << log;
  host.ExpandAll();
  EXPECT_EQ(host.Find("First")->level, 3);
}

// A group dropped on its own member, or an item on its own row, would ask the host to group an object into
// itself: the pointer shows no drop there, and the release asks the host nothing.
TEST_F(CommandsTest, ADropIntoTheDraggedItemItselfIsRefusedWithoutAHostCall) {
  const std::pair<const char*, const char*> drops[] = {
      {"Group", "First"}, {"Group", "Material #0"}, {"Camera", "Camera"}, {"Second", "Second"}};
  const HCURSOR noDrop = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_NO));
  for (const auto& [from, onto] : drops) {
    SCOPED_TRACE(std::string(from) + " onto " + onto);
    user.PressAndMoveOver(from, onto);
    EXPECT_EQ(GetCursor(), noDrop);
    user.ReleaseButton();
    EXPECT_EQ(PluginHost::Log(), "");
    host.ExpandAll();
    simLogClear();
  }
  EXPECT_EQ(simGetParent(Object("First")), Object("Group"));
  EXPECT_EQ(simGetParent(Object("Group")), nullptr);
  EXPECT_EQ(simGetParent(Object("Camera")), nullptr);
}

TEST_F(CommandsTest, DroppingOutsideTheTreeDoesNothing) {
  user.DragOutside("First");
  EXPECT_EQ(simLogCountOf("tsxAViewRefresh"), 0);
  EXPECT_EQ(simGetParent(Object("First")), Object("Group"));
}

TEST_F(CommandsTest, TheRootAndMaterialsCannotBeDragged) {
  user.Drag("Material #1", "Camera");
  user.Drag("Scene", "Camera");
  EXPECT_EQ(simLogCountOf("tsxAViewRefresh"), 0);
}

// The demo scene under a person's hands, through the real input queue. Its top level is long enough that a
// drop moves the items below the dragged one up a place, into control items the rebuild keeps for them.
class HandsOnTheDemoSceneTest : public PluginFixture {
 protected:
  void SetUp() override {
    PluginFixture::SetUp();
    simBuildDemoScene();
    ShowPanel();
  }
  static std::string CurrentObject() {
    char name[64] = "";
    if (SobjHandle current = simGetCurrent()) simGetName(current, name, sizeof name);
    return name;
  }
  using Labels = std::vector<std::string>;
};

// The drag leaves "Clay Head" downwards over "Fill Light", whose control item shows "Grid Helper" once the
// rebuild has moved every later item up.
TEST_F(HandsOnTheDemoSceneTest, AfterADropOnlyTheHostsCurrentObjectLooksSelectedAndTheKeysStayInTheTree) {
  user.HandClick("Clay Head");
  user.HandDrag("Clay Head", "Room");
  ASSERT_EQ(CurrentObject(), "Room");
  EXPECT_EQ(user.HighlightedLabels(), Labels{"Room"});
  EXPECT_EQ(user.SelectedLabel(), "Room");
  user.HandKey(VK_DOWN);
  EXPECT_EQ(user.SelectedLabel(), "Sound Marker");
  EXPECT_EQ(CurrentObject(), "Sound Marker");
}

// Escape ends the drag where it is: nothing is regrouped, and the item the drag selected gives the
// selection back to the host's current object.
TEST_F(HandsOnTheDemoSceneTest, EscapeEndsADragWithNothingAskedOfTheHost) {
  user.HandClick("Clay Head");
  simLogClear();
  user.PressAndMoveOver("Handrail Spline", "Room");
  user.HandKey(VK_ESCAPE);
  user.ReleaseButton();
  EXPECT_EQ(PluginHost::Log(), "");
  EXPECT_EQ(user.HighlightedLabels(), Labels{"Clay Head"});
  EXPECT_EQ(CurrentObject(), "Clay Head");
  EXPECT_NE(user.Item("Handrail Spline"), nullptr) << "still at the top level";

  user.PressAndMoveOver("Handrail Spline", "Room");
  simUserSelect(simUserCreate(nullptr, "Added", e_tsxCAMERA));  // rebuilt under the drag
  user.HandKey(VK_ESCAPE);
  user.ReleaseButton();
  EXPECT_EQ(user.HighlightedLabels(), Labels{"Added"}) << "the rebuild's selection stands";
}
}  // namespace
