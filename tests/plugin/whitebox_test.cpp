// The panel's rebuild with failures raised inside host calls, the way a host built by another compiler
// fails: the plug-in's code and the simulator share one executable here, to reach the panel's internals.
#include <gtest/gtest.h>

#include "HandleMap.h"
#include "Main.h"
#include "SceneFixture.h"
#include "SceneWalk.h"
#include "TreeReader.h"

namespace {
class RebuildFailureTest : public SceneFixture {
 protected:
  RebuildFailureTest() : SceneFixture("Group group\n  Member\nCamera camera\nLight light\n") {}
  void SetUp() override {
    SceneFixture::SetUp();
    EnsureMainForm();
    ASSERT_NE(MainForm, nullptr);
    MainForm->HandleNeeded();  // in the host the plug-in component makes the window at once
  }

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
  const char* functions[] = {
      "tsxSceneGetFirstNode", "tsxSobjGetType", "tsxGNodeGetName",       "tsxIsMNode",
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

TEST_F(RebuildFailureTest, LookupFollowsItemsDeletedOrGivenOtherData) {
  MainForm->RebuildTree();
  TTreeNodes& items = Tree()->Items();
  TTreeNode* group = MainForm->FindNodeBySobj(simGetFirstTopLevel());
  ASSERT_EQ(group->Text(), "Group");
  auto member = static_cast<SobjHandle>(group->Item(0)->Data());
  items.Delete(group);  // the member's item dies with its group
  EXPECT_EQ(MainForm->FindNodeBySobj(member), nullptr);
  TTreeNode* camera = items.Item(1);
  ASSERT_EQ(camera->Text(), "Camera");
  camera->SetData(member);
  EXPECT_EQ(MainForm->FindNodeBySobj(member), camera);
  // Two items of one object: the first in tree order answers, as a scan would.
  items.Item(2)->SetData(member);
  EXPECT_EQ(MainForm->FindNodeBySobj(member), camera);
}

TEST_F(RebuildFailureTest, LookupNeverAnswersAnItemAFailedWalkLeftWithoutItsObject) {
  simFailCall("tsxIsMNode", 2, SIM_FAIL_ACCESS_VIOLATION);  // the member: listed, never given its object
  EXPECT_THROW(MainForm->RebuildTree(), EStructuredException);
  ASSERT_EQ(Tree()->Items().Count(), 3);
  SobjHandle member = simGetFirstChild(simGetFirstTopLevel());
  EXPECT_EQ(MainForm->FindNodeBySobj(member), nullptr);
  EXPECT_EQ(MainForm->FindNodeBySobj(simGetFirstTopLevel()), Tree()->Items().Item(1));
}

TEST_F(RebuildFailureTest, BranchesSortedOnlyWhenShownAreInOrderAtEveryDepth) {
  SobjHandle outer = simCreateObject(nullptr, "Outer", e_tsxGROUP);
  SobjHandle inner = simCreateObject(outer, "Zeta", e_tsxGROUP);
  simCreateObject(outer, "Alpha", e_tsxPOLYH);
  for (const char* member : {"b", "A"}) simCreateObject(inner, member, e_tsxPOLYH);
  MainForm->RebuildTree();
  TTreeNode* outerItem = MainForm->FindNodeBySobj(outer);
  ASSERT_NE(outerItem, nullptr);
  outerItem->Expand(true);  // the control takes both levels now
  auto labels = [](TTreeNode* parent) {
    std::string out;
    for (int i = 0; i < parent->Count(); ++i) out += parent->Item(i)->Text() + " ";
    return out;
  };
  EXPECT_EQ(labels(outerItem), "Alpha Zeta ");
  EXPECT_EQ(labels(MainForm->FindNodeBySobj(inner)), "A b ");
  EXPECT_EQ(labels(Tree()->Items().GetFirstNode()), "Camera Group Light Outer ");
}

// The walk on its own: no window, no tree, the same host calls in the same order as a rebuild.
class SceneWalkTest : public SceneFixture {
 protected:
  SceneWalkTest() : SceneFixture("Group group\n  Box materials 3 5\nCam camera hidden\n") {}
  void SetUp() override {
    SceneFixture::SetUp();
    group = Object("Group");
    box = Object("Box");
    cam = Object("Cam");
  }

  static std::string Log() {
    std::string out;
    char entry[512];
    for (int i = 0; simLogEntry(i, entry, sizeof entry) >= 0; ++i) out += std::string(entry) + "\n";
    return out;
  }

  SobjHandle group, box, cam;
  TSceneWalk walk;
};

TEST_F(SceneWalkTest, ListsTheSceneInHostPreOrderWithWhatEachItemShows) {
  simUserMarkSelected(cam, 1);
  simUserMarkSelected(box, 1);
  walk.Run();
  const auto& items = walk.Items();
  ASSERT_EQ(items.size(), 5u);
  const struct {
    int parent;
    SobjHandle object;
    const char* label;
    bool material, hidden;
  } expected[] = {{-1, group, "Group", false, false},
                  {0, box, "Box", false, false},
                  {1, nullptr, "Material #3", true, false},
                  {1, nullptr, "Material #5", true, false},
                  {-1, cam, "Cam", false, true}};
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i].parent, expected[i].parent) << i;
    EXPECT_EQ(items[i].object, expected[i].object) << i;
    EXPECT_EQ(items[i].label, expected[i].label) << i;
    EXPECT_EQ(items[i].material, expected[i].material) << i;
    EXPECT_EQ(items[i].hidden, expected[i].hidden) << i;
  }
  EXPECT_EQ(items[1].type, e_tsxPOLYH);
  EXPECT_EQ(walk.Selected(), 1) << "the first selected object in the host's walk order";
  EXPECT_EQ(walk.Entries().Find(cam), 4);
}

TEST_F(SceneWalkTest, MakesExactlyTheRebuildsHostCalls) {
  simUserSelect(box);
  simLogClear();
  walk.Run();
  std::string walked = Log();
  EnsureMainForm();
  ASSERT_NE(MainForm, nullptr);
  MainForm->HandleNeeded();
  simLogClear();
  MainForm->RebuildTree();
  EXPECT_EQ(Log(), walked);
  EXPECT_NE(walked.find("tsxPolyhGetNextMaterialIdx"), std::string::npos);
}

TEST_F(SceneWalkTest, HostileAnswersEndAndFailuresKeepWhatWasRead) {
  simOverrideNext(cam, group);  // the sibling list loops back
  simSetEndlessMaterials(box, 1);
  simSetUnterminatedName(cam, 1);
  walk.Run();
  ASSERT_EQ(walk.Items().size(), 5u);
  EXPECT_EQ(walk.Items()[4].label.size(), 255u);

  simFailCall("tsxGNodeGetName", 3, SIM_FAIL_ACCESS_VIOLATION);
  EXPECT_THROW(walk.Run(), EStructuredException);
  ASSERT_EQ(walk.Items().size(), 4u) << "Group, Box and its materials were read before Cam's name failed";
  EXPECT_EQ(walk.Entries().Find(cam), 4) << "Cam was met, and has no entry to answer";

  // More indices than the short list of indices met holds: each is still listed once.
  simClearFailures();
  simOverrideNext(cam, nullptr);
  std::vector<int> indices;
  for (int i = 0; i < 40; ++i) indices.push_back(100 - i);
  simSetMaterials(box, indices.data(), static_cast<int>(indices.size()));
  walk.Run();
  ASSERT_EQ(walk.Items().size(), 3u + indices.size());
  EXPECT_EQ(walk.Items()[2].label, "Material #100");
  EXPECT_EQ(walk.Items()[41].label, "Material #61");
}

TEST(HandleMapTest, KeepsEveryHandleOnceThroughGrowthAndCrowdedSlots) {
  THandleMap map;
  EXPECT_EQ(map.Find(reinterpret_cast<SobjHandle>(0x10)), -1);
  EXPECT_FALSE(map.Insert(nullptr, 1));
  // Serial-like handles, and handles that differ only above the bits that choose a slot.
  std::vector<SobjHandle> keys;
  for (uintptr_t i = 1; i <= 5000; ++i) keys.push_back(reinterpret_cast<SobjHandle>(i << 2 | 1));
  for (uintptr_t i = 1; i <= 3000; ++i) keys.push_back(reinterpret_cast<SobjHandle>(i << 20 | 0x40));
  for (size_t i = 0; i < keys.size(); ++i) ASSERT_TRUE(map.Insert(keys[i], static_cast<int>(i)));
  for (size_t i = 0; i < keys.size(); ++i) {
    ASSERT_EQ(map.Find(keys[i]), static_cast<int>(i));
    ASSERT_FALSE(map.Insert(keys[i], -7)) << "a handle is listed once";
  }
  EXPECT_EQ(map.Count(), keys.size());
  EXPECT_EQ(map.Find(reinterpret_cast<SobjHandle>(5001 << 2 | 1)), -1);
  EXPECT_EQ(map.Find(reinterpret_cast<SobjHandle>(uintptr_t{3001} << 20 | 0x40)), -1);
  map.Clear();
  EXPECT_EQ(map.Count(), 0u);
  EXPECT_EQ(map.Find(keys[0]), -1);
  EXPECT_TRUE(map.Insert(keys[0], 3));
}
// Branches are made from the walk's list only when asked for; the tree counts and finds as if they were all
// there.
class WaitingBranchTest : public RebuildFailureTest {
 protected:
  static int MadeItems(const TTreeNodes& items) {
    int made = 0;
    for (TTreeNode* node = items.GetFirstNode(); node; node = node->GetNextMade()) ++made;
    return made;
  }
};

TEST_F(WaitingBranchTest, BranchesAreMadeWhenAskedForAndCountedAllTheWhile) {
  SobjHandle outer = simCreateObject(nullptr, "Outer", e_tsxGROUP);
  SobjHandle inner = simCreateObject(outer, "Inner", e_tsxGROUP);
  SobjHandle deep = simCreateObject(inner, "Deep", e_tsxPOLYH);
  const int materials[] = {1, 2};
  simSetMaterials(deep, materials, 2);
  simCreateObject(outer, "Side", e_tsxCAMERA);
  MainForm->RebuildTree();
  TTreeNodes& items = Tree()->Items();
  // Root, Group, Member, Camera, Light, Outer, Inner, Deep, two materials, Side.
  EXPECT_EQ(items.Count(), 11);
  EXPECT_EQ(MadeItems(items), 5) << "the root and the top level the control shows";

  TTreeNode* found = MainForm->FindNodeBySobj(deep);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->Text(), "Deep");
  EXPECT_EQ(found->Parent()->Text(), "Inner");
  EXPECT_EQ(MadeItems(items), 8) << "Outer's and Inner's children only";
  EXPECT_TRUE(found->HasChildren()) << "its materials still wait";
  EXPECT_EQ(items.Count(), 11);

  items.Delete(MainForm->FindNodeBySobj(outer));  // with the materials that never were made
  EXPECT_EQ(items.Count(), 5);
  EXPECT_EQ(MainForm->FindNodeBySobj(deep), nullptr);
  EXPECT_EQ(MainForm->FindNodeBySobj(simGetFirstChild(simGetFirstTopLevel()))->Text(), "Member");
}

TEST_F(WaitingBranchTest, MarksAndTheSourceGoingAwayReachWaitingItems) {
  MainForm->RebuildTree();
  TTreeNode* group = MainForm->FindNodeBySobj(simGetFirstTopLevel());
  MainForm->MarkHidden(group, true);
  ASSERT_EQ(group->Count(), 1);
  EXPECT_EQ(group->Item(0)->StateIndex(), kStateHidden) << "made before it was marked";

  MainForm->RebuildTree();
  Tree()->Items().SetSource(nullptr);
  EXPECT_EQ(Tree()->Items().Count(), 4) << "the root and the top level; Member was never made";
  EXPECT_FALSE(MainForm->FindNodeBySobj(simGetFirstTopLevel())->HasChildren());
}

TEST_F(WaitingBranchTest, ARebuildOfWhatIsShownAlreadyCostsTheControlNoItemMessages) {
  MainForm->RebuildTree();
  int before = Tree()->ItemMessagesSent();
  MainForm->RebuildTree();
  // The root's expanded state and the first visible item are asked; nothing is inserted, set or deleted.
  EXPECT_LE(Tree()->ItemMessagesSent() - before, 2);
  simUserRename(simGetNextSibling(simGetFirstTopLevel()), "Aardvark");
  before = Tree()->ItemMessagesSent();
  MainForm->RebuildTree();
  // At most one message per item shown, and the four that check the view is not left past its end.
  EXPECT_LE(Tree()->ItemMessagesSent() - before, 2 + 4 + 4) << "at most one message per item shown";
  TTreeNode* root = Tree()->Items().GetFirstNode();
  ASSERT_EQ(root->Count(), 3);
  EXPECT_EQ(root->Item(0)->Text(), "Aardvark");
  EXPECT_EQ(ReadTreeItem(Tree()->Handle(), root->Item(0)->ItemId()).label, "Aardvark");
}

TEST_F(SceneWalkTest, LabelsStayWholeHoweverManyTheWalkStores) {
  simResetScene();
  for (int i = 0; i < 600; ++i)
    simCreateObject(nullptr, (std::to_string(i) + std::string(200, 'n')).c_str(), 1);
  walk.Run();
  ASSERT_EQ(walk.Items().size(), 600u);
  for (int i = 0; i < 600; ++i) ASSERT_EQ(walk.Items()[i].label, std::to_string(i) + std::string(200, 'n'));
  simResetScene();
  simCreateObject(nullptr, "Short", 1);
  walk.Run();
  ASSERT_EQ(walk.Items().size(), 1u);
  EXPECT_EQ(walk.Items()[0].label, "Short");
}
}  // namespace
