// The demo scene and the generated scene: what the panel's tests and the benchmarks count on finding.
#include <functional>
#include <set>

#include "SimFixture.h"

namespace {

void ForEach(SobjHandle first, int depth, const std::function<void(SobjHandle, int)>& visit) {
  for (SobjHandle o = first; o; o = tsxGNodeGetNext(o)) {
    visit(o, depth);
    ForEach(tsxGNodeGetFirstChild(o), depth + 1, visit);
  }
}

class DemoScene : public SimTest {};

TEST_F(DemoScene, ShowsEveryKindOfObjectThePanelKnows) {
  int count = simBuildDemoScene();
  std::set<int> types;
  int walked = 0, deepest = 0, hidden = 0, notModelNodes = 0;
  std::multiset<std::vector<int>> materialSets;
  ForEach(tsxSceneGetFirstNode(), 0, [&](SobjHandle o, int depth) {
    ++walked;
    types.insert(tsxSobjGetType(o));
    if (tsxSobjGetType(o) == e_tsxGROUP) deepest = std::max(deepest, depth);
    if (!tsxIsMNode(o)) ++notModelNodes;
    if (tsxIsMNode(o) && !tsxMNodeIsVisible(o)) ++hidden;
    if (tsxSobjGetType(o) != e_tsxPOLYH) return;
    std::vector<int> materials;
    for (int i = tsxPolyhGetFirstMaterialIdx(o); i != -1; i = tsxPolyhGetNextMaterialIdx(o, i)) {
      materials.push_back(i);
    }
    materialSets.insert(materials);
  });
  EXPECT_EQ(walked, count);
  for (int type :
       {101, 102, 103, 104, 106, 107, 201, 202, 204, 206, 207, 208, 210, 213, 214, 215, 216, 105}) {
    EXPECT_TRUE(types.count(type)) << "type " << type;
  }
  EXPECT_GE(deepest, 2) << "a group inside a group inside a group";
  EXPECT_GE(hidden, 2);
  EXPECT_EQ(notModelNodes, 1);
  EXPECT_TRUE(materialSets.count({2, 10}));
  EXPECT_TRUE(std::any_of(materialSets.begin(), materialSets.end(), [](auto& m) { return m.size() == 1; }));
  EXPECT_TRUE(std::any_of(materialSets.begin(), materialSets.end(), [](auto& m) { return m.size() == 3; }));
  EXPECT_EQ(simViolationCount(), 0);
}

TEST_F(DemoScene, UsesReadableNames) {
  simBuildDemoScene();
  std::set<std::string> names;
  ForEach(tsxSceneGetFirstNode(), 0, [&](SobjHandle o, int) { names.insert(Name(o)); });
  for (const char* name : {"Camera 1", "Key Light", "Table", "Chair Group"})
    EXPECT_TRUE(names.count(name)) << name;
}

TEST_F(DemoScene, ReplacesThePreviousScene) {
  SobjHandle old = simCreateObject(nullptr, "Old", e_tsxPOLYH);
  int count = simBuildDemoScene();
  EXPECT_EQ(simIsAlive(old), 0);
  EXPECT_EQ(simObjectCount(), count);
}

class GeneratedScene : public SimTest {};

TEST_F(GeneratedScene, GroupsMembersAsAsked) {
  SobjHandle first = simBuildGeneratedScene(25, 10);
  EXPECT_EQ(simObjectCount(), 25);
  int groups = 0, members = 0, polyhedra = 0, hidden = 0;
  ForEach(first, 0, [&](SobjHandle o, int depth) {
    if (depth == 0) {
      ++groups;
      EXPECT_EQ(tsxSobjGetType(o), e_tsxGROUP);
      return;
    }
    ++members;
    if (tsxSobjGetType(o) == e_tsxPOLYH) {
      ++polyhedra;
      EXPECT_EQ(tsxPolyhGetNbrMaterials(o), 3);
    }
    hidden += !tsxMNodeIsVisible(o);
  });
  EXPECT_EQ(groups, 3);
  EXPECT_EQ(members, 22);
  EXPECT_EQ(polyhedra, 2);
  EXPECT_EQ(hidden, 3);
}

// The panel walks the whole scene with about ten calls per object; how fast that goes at 100,000 objects
// is the benchmarks' to say. Here: the walk reaches every object, and calls are counted, not kept.
TEST_F(GeneratedScene, HundredThousandObjectsAreWalkedWithEveryCallCountedAndNoneKept) {
  SobjHandle first = simBuildGeneratedScene(100000, 50);
  simLogEnable(0);
  char name[256];
  int walked = 0;
  ForEach(first, 0, [&](SobjHandle o, int) {
    ++walked;
    tsxGNodeGetName(o, name, 255);
    tsxSobjGetType(o);
    tsxIsMNode(o);
    tsxMNodeIsVisible(o);
    tsxIsSelected(o);
    tsxIsGNodeInScene(o);
    tsxPolyhGetNbrMaterials(o);
  });
  EXPECT_EQ(walked, 100000);
  EXPECT_EQ(simLogCount(), 0) << "nothing kept while logging is off";
  EXPECT_EQ(simLogCountOf("tsxSobjGetType"), 100000) << "but every call is counted";
}

}  // namespace
