// The simulated scene as the plug-in sees it through the real Tsxapi.dll: walking, names, materials,
// grouping and deletion.
#include <cstring>

#include "SimFixture.h"

namespace {

class SceneWalk : public SimTest {};

TEST_F(SceneWalk, EmptySceneHasNoFirstNode) {
  EXPECT_EQ(tsxSceneGetFirstNode(), nullptr);
}

TEST_F(SceneWalk, VisitsSiblingsInCreationOrderWithChildrenUnderTheirParent) {
  SobjHandle group = simCreateObject(nullptr, "Group", e_tsxGROUP);
  simCreateObject(nullptr, "Lamp", e_tsxLIGHT);
  SobjHandle inner = simCreateObject(group, "Inner", e_tsxGROUP);
  simCreateObject(group, "Cube", e_tsxPOLYH);
  simCreateObject(inner, "Cone", e_tsxPOLYH);
  EXPECT_EQ(Walk(), Texts({"Group", "Group/Inner", "Group/Inner/Cone", "Group/Cube", "Lamp"}));
  EXPECT_EQ(tsxGNodeGetFirstChild(simCreateObject(nullptr, "Leaf", e_tsxPOLYH)), nullptr);
  EXPECT_EQ(simViolationCount(), 0);
}

TEST_F(SceneWalk, ReportsTypeVisibilityAndModelNodeState) {
  SobjHandle lamp = simCreateObject(nullptr, "Lamp", e_tsxLIGHT);
  SobjHandle helper = simCreateObject(nullptr, "Helper", 205);
  simSetModelNode(helper, 0);
  simUserSetVisible(lamp, 0);
  EXPECT_EQ(tsxSobjGetType(lamp), e_tsxLIGHT);
  EXPECT_EQ(tsxSobjGetType(helper), 205);
  EXPECT_EQ(tsxIsMNode(lamp), 1);
  EXPECT_EQ(tsxMNodeIsVisible(lamp), 0);
  EXPECT_EQ(tsxIsMNode(helper), 0);
  EXPECT_EQ(tsxMNodeSetInvisible(helper), 0) << "an object without visibility state cannot be hidden";
  EXPECT_EQ(tsxMNodeSetVisible(lamp), 1);
  EXPECT_EQ(simIsVisible(lamp), 1);
}

class Names : public SimTest {};

TEST_F(Names, LongNameIsCutAtTheMaximumAndTerminated) {
  std::string longName(300, 'n');
  SobjHandle object = simCreateObject(nullptr, longName.c_str(), e_tsxPOLYH);
  char buffer[300];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(tsxGNodeGetName(object, buffer, 255), buffer);
  EXPECT_EQ(std::strlen(buffer), 255u);
  EXPECT_EQ(buffer[256], 'x') << "nothing may be written past the terminating zero";
  char whole[400];
  EXPECT_EQ(simGetName(object, whole, sizeof whole), 300);
  EXPECT_EQ(whole, longName);
}

TEST_F(Names, RenameFromThePluginAndFromTheUserBothShow) {
  SobjHandle object = simCreateObject(nullptr, "Old", e_tsxPOLYH);
  EXPECT_EQ(tsxGNodeSetName(object, "Plugin Name"), 1);
  EXPECT_EQ(Name(object), "Plugin Name");
  simUserRename(object, "User Name");
  EXPECT_EQ(Name(object), "User Name");
  EXPECT_EQ(tsxGNodeSetName(object, nullptr), 0);
  EXPECT_EQ(Name(object), "User Name");
}

class Materials : public SimTest {};

TEST_F(Materials, IteratesHostIndicesInOrderAndEndsWithMinusOne) {
  SobjHandle table = simCreateObject(nullptr, "Table", e_tsxPOLYH);
  const int indices[] = {2, 10, 4};
  simSetMaterials(table, indices, 3);
  EXPECT_EQ(tsxPolyhGetNbrMaterials(table), 3);
  std::vector<int> walked;
  for (int i = tsxPolyhGetFirstMaterialIdx(table); i != -1 && walked.size() < 10;
       i = tsxPolyhGetNextMaterialIdx(table, i)) {
    walked.push_back(i);
  }
  EXPECT_EQ(walked, std::vector<int>({2, 10, 4}));
  EXPECT_EQ(tsxPolyhGetNextMaterialIdx(table, 7), -1) << "an index the object does not carry";
}

TEST_F(Materials, ObjectWithoutMaterialsHasNoFirstIndex) {
  SobjHandle cube = simCreateObject(nullptr, "Cube", e_tsxPOLYH);
  EXPECT_EQ(tsxPolyhGetNbrMaterials(cube), 0);
  EXPECT_EQ(tsxPolyhGetFirstMaterialIdx(cube), -1);
}

class Grouping : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    outer = simCreateObject(nullptr, "Outer", e_tsxGROUP);
    inner = simCreateObject(outer, "Inner", e_tsxGROUP);
    leaf = simCreateObject(inner, "Leaf", e_tsxPOLYH);
    loose = simCreateObject(nullptr, "Loose", e_tsxPOLYH);
  }
  SobjHandle outer, inner, leaf, loose;
};

TEST_F(Grouping, GroupAtCurrobjAppendsToTheCurrentObjectsChildren) {
  tsxSelectSobj(inner, 0, 1);
  EXPECT_EQ(tsxGroupAtCurrobj(loose), 1);
  EXPECT_EQ(simGetParent(loose), inner);
  EXPECT_EQ(Walk(), Texts({"Outer", "Outer/Inner", "Outer/Inner/Leaf", "Outer/Inner/Loose"}));
}

TEST_F(Grouping, GroupAtCurrobjRefusesCycles) {
  tsxSelectSobj(leaf, 0, 1);
  EXPECT_EQ(tsxGroupAtCurrobj(leaf), 0) << "into itself";
  EXPECT_EQ(tsxGroupAtCurrobj(outer), 0) << "an ancestor under its descendant";
  EXPECT_EQ(simUserRegroup(inner, leaf), 0);
  EXPECT_EQ(Walk(), Texts({"Outer", "Outer/Inner", "Outer/Inner/Leaf", "Loose"}));
}

TEST_F(Grouping, RemoveCurrobjMovesToTheEndOfTheTopLevel) {
  tsxSelectSobj(inner, 0, 1);
  EXPECT_EQ(tsxGroupRemoveCurrobj(), 1);
  EXPECT_EQ(simGetParent(inner), nullptr);
  EXPECT_EQ(Walk(), Texts({"Outer", "Loose", "Inner", "Inner/Leaf"}));
  EXPECT_EQ(tsxGroupRemoveCurrobj(), 0) << "already at the top level";
  EXPECT_EQ(Walk(), Texts({"Outer", "Loose", "Inner", "Inner/Leaf"}));
}

TEST_F(Grouping, NothingToGroupWithoutACurrentObject) {
  EXPECT_EQ(tsxGroupRemoveCurrobj(), 0);
  EXPECT_EQ(tsxGroupAtCurrobj(loose), 0);
  EXPECT_EQ(simGetParent(loose), nullptr);
}

class Deletion : public SimTest {};

std::vector<std::string> destroyed;
void __cdecl RecordDestroy(SobjHandle object) {
  char buffer[64] = {};
  simGetName(object, buffer, sizeof buffer);
  destroyed.push_back(buffer);
}

TEST_F(Deletion, DeletesTheSubtreeChildrenFirstAndAnnouncesEach) {
  SobjHandle group = simCreateObject(nullptr, "Group", e_tsxGROUP);
  SobjHandle a = simCreateObject(group, "A", e_tsxPOLYH);
  simCreateObject(a, "A1", e_tsxPOLYH);
  simCreateObject(group, "B", e_tsxPOLYH);
  simCreateObject(nullptr, "Keep", e_tsxPOLYH);
  destroyed.clear();
  tsxOnDestroyCB(41, RecordDestroy);
  EXPECT_EQ(tsxSobjDelete(group), 1);
  tsxOnDestroyCB(41, nullptr);
  EXPECT_EQ(destroyed, Texts({"A1", "A", "B", "Group"}));
  EXPECT_EQ(Walk(), Texts({"Keep"}));
  EXPECT_EQ(simObjectCount(), 1);
  EXPECT_EQ(simIsAlive(a), 0);
}

TEST_F(Deletion, DeletedAndResetHandlesStayDeadAndAreNeverReused) {
  SobjHandle gone = simCreateObject(nullptr, "Gone", e_tsxPOLYH);
  SobjHandle dropped = simCreateObject(nullptr, "Dropped", e_tsxPOLYH);
  simUserDelete(gone);
  simResetScene();
  SobjHandle fresh = simCreateObject(nullptr, "Fresh", e_tsxPOLYH);
  EXPECT_NE(fresh, gone);
  EXPECT_NE(fresh, dropped);
  EXPECT_GT(simHandleSerial(fresh), simHandleSerial(dropped));
  EXPECT_EQ(tsxIsGNodeInScene(gone), 0);
  EXPECT_EQ(tsxIsGNodeInScene(dropped), 0);
  EXPECT_EQ(tsxIsGNodeInScene(fresh), 1);
  EXPECT_EQ(simViolationCount(), 0) << "asking whether a handle is in the scene is always allowed";
}

TEST_F(Deletion, AnimationRemovalCoversOneObjectOrItsWholeSubtree) {
  SobjHandle rig = simCreateObject(nullptr, "Rig", e_tsxROBOT);
  SobjHandle joint = simCreateObject(rig, "Joint", e_tsxJOINT);
  SobjHandle bone = simCreateObject(joint, "Bone", e_tsxSKELETON);
  for (SobjHandle o : {rig, joint, bone}) simSetAnimation(o, 1);
  EXPECT_EQ(tsxGNodeDeleteScript(rig), 1);
  EXPECT_EQ(simHasAnimation(rig), 0);
  EXPECT_EQ(simHasAnimation(joint), 1);
  EXPECT_EQ(tsxGNodeDeleteScriptTree(joint), 1);
  EXPECT_EQ(simHasAnimation(joint), 0);
  EXPECT_EQ(simHasAnimation(bone), 0);
}

}  // namespace
