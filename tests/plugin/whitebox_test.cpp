// The panel's rebuild with failures raised inside host calls, the way a host built by another compiler
// fails: the plug-in's code and the simulator share one executable here, to reach the panel's internals.
#include <gtest/gtest.h>

#include "Main.h"
#include "SimControl.h"

namespace {
class RebuildFailureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    simResetScene();
    simClearFailures();
    EnsureMainForm();
    ASSERT_NE(MainForm, nullptr);
    MainForm->HandleNeeded();  // in the host the plug-in component makes the window at once
    SobjHandle group = simCreateObject(nullptr, "Group", e_tsxGROUP);
    simCreateObject(group, "Member", e_tsxPOLYH);
    simCreateObject(nullptr, "Camera", e_tsxCAMERA);
    simCreateObject(nullptr, "Light", e_tsxLIGHT);
  }
  void TearDown() override { simClearFailures(); }

  TCustomTreeView* Tree() { return MainForm->TreeView; }
};

TEST_F(RebuildFailureTest, FailureEndsTheWalkButLeavesThePanelUsable) {
  simFailCall("tsxSobjGetType", 3, SIM_FAIL_ACCESS_VIOLATION);
  EXPECT_THROW(MainForm->RebuildTree(), EStructuredException);
  EXPECT_FALSE(MainForm->Refreshing());
  EXPECT_FALSE(Tree()->Items().Updating()) << "redrawing must be resumed";
  // Root, Group and Member were added before the third object's type failed; they stay, unsorted.
  ASSERT_EQ(Tree()->Items().Count(), 3);
  EXPECT_EQ(Tree()->Items().Item(1)->Text(), "Group");
  EXPECT_EQ(Tree()->Items().Item(2)->Text(), "Member");
  // The control holds what the items say.
  EXPECT_NE(Tree()->Items().GetFirstNode()->ItemId(), nullptr);

  MainForm->RebuildTree();
  EXPECT_EQ(Tree()->Items().Count(), 5);
}

TEST_F(RebuildFailureTest, EveryFailurePositionIsSurvivedAndTheNextRebuildIsComplete) {
  const char* functions[] = {"tsxSceneGetFirstNode", "tsxSobjGetType", "tsxGNodeGetName",    "tsxIsMNode",
                             "tsxMNodeIsVisible",    "tsxIsSelected",  "tsxGNodeGetFirstChild", "tsxGNodeGetNext"};
  for (const char* function : functions) {
    for (int nth = 1; nth <= 4; ++nth) {
      simClearFailures();
      simFailCall(function, nth, nth % 2 ? SIM_FAIL_ACCESS_VIOLATION : SIM_FAIL_FOREIGN);
      try {
        MainForm->RebuildTree();
      } catch (const EStructuredException&) {
      }
      EXPECT_FALSE(MainForm->Refreshing()) << function << " " << nth;
    }
  }
  simClearFailures();
  MainForm->RebuildTree();
  EXPECT_EQ(Tree()->Items().Count(), 5);
}

TEST_F(RebuildFailureTest, LeftClickSwallowsTheFailureAndStillReportsActive) {
  simFailCall("tsxGNodeGetName", 1, SIM_FAIL_ACCESS_VIOLATION);
  EXPECT_EQ(MainForm->Tsx1LeftClick(), 1);
  EXPECT_TRUE(MainForm->Visible());
  MainForm->Tsx1Deactivate();
}

TEST_F(RebuildFailureTest, RebuildRequestedDuringARebuildIsDropped) {
  MainForm->RebuildTree();
  int nested = 0;
  Tree()->OnDeletion = [&](TComponent*, TTreeNode*) {
    if (nested++ == 0) MainForm->RebuildTree();
  };
  MainForm->RebuildTree();
  Tree()->OnDeletion = nullptr;
  EXPECT_GT(nested, 0);
  EXPECT_EQ(Tree()->Items().Count(), 5);
}

TEST_F(RebuildFailureTest, HostNotificationsDuringARebuildAreIgnored) {
  MainForm->Tsx1PlugInit();  // subscribes to the linked-in simulator's selection notifications
  SobjHandle camera = simCreateObject(nullptr, "Late", e_tsxCAMERA);
  int notifications = 0;
  Tree()->OnDeletion = [&](TComponent*, TTreeNode*) {
    if (notifications++ == 0) simUserSelect(camera);
  };
  MainForm->RebuildTree();  // the first rebuild has nothing to delete
  simLogClear();
  MainForm->RebuildTree();
  Tree()->OnDeletion = nullptr;
  EXPECT_GT(notifications, 0);
  EXPECT_EQ(simLogCountOf("tsxGetCurrentSelection"), 0);
  EXPECT_EQ(simLogCountOf("tsxSceneGetFirstNode"), 1);
}

TEST_F(RebuildFailureTest, FindsTheFirstItemOfAnObject) {
  MainForm->RebuildTree();
  for (TTreeNode* node = Tree()->Items().GetFirstNode(); node; node = node->GetNext())
    if (node->Data()) {
      EXPECT_EQ(MainForm->FindNodeBySobj(static_cast<SobjHandle>(node->Data())), node);
    }
  EXPECT_EQ(MainForm->FindNodeBySobj(reinterpret_cast<SobjHandle>(0x12345678)), nullptr);
}
}  // namespace
