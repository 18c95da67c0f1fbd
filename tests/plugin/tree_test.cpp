// The tree the panel builds from the host's scene, read back from the tree-view control itself.
#include <gtest/gtest.h>

#include "PluginFixture.h"

namespace {
class TreeTest : public PluginFixture {
 protected:
  std::string Rebuilt() {
    EXPECT_EQ(host.LeftClick(), 1);
    host.ExpandAll();
    return host.Dump();
  }
  // A group holding one member named after it: "A" holds "A1".
  static SobjHandle GroupOfOne(const std::string& name) {
    SobjHandle group = simCreateObject(nullptr, name.c_str(), e_tsxGROUP);
    simCreateObject(group, (name + "1").c_str(), e_tsxPOLYH);
    return group;
  }
};

TEST_F(TreeTest, EmptySceneShowsOnlyTheRootWithNothingSelected) {
  EXPECT_EQ(host.LeftClick(), 1);
  // A childless item cannot show as expanded in the control.
  EXPECT_EQ(host.Dump(), "Scene g9\n");
}

TEST_F(TreeTest, PolyhedraListMaterialsOnlyFromTwoOnAndSortAsText) {
  SobjHandle one = simCreateObject(nullptr, "Single", e_tsxPOLYH);
  const int single[] = {4};
  simSetMaterials(one, single, 1);
  SobjHandle three = simCreateObject(nullptr, "Triple", e_tsxPOLYH);
  const int indices[] = {0, 1, 2};
  simSetMaterials(three, indices, 3);
  SobjHandle mixed = simCreateObject(nullptr, "Mixed", e_tsxPOLYH);
  const int spread[] = {2, 10};
  simSetMaterials(mixed, spread, 2);
  simCreateObject(mixed, "Lamp", e_tsxLIGHT);
  EXPECT_EQ(Rebuilt(),
            "Scene g9 expanded\n"
            "  Mixed g1 expanded\n"
            "    Lamp g6\n"
            "    Material #10 g2\n"
            "    Material #2 g2\n"
            "  Single g1\n"
            "  Triple g1 expanded\n"
            "    Material #0 g2\n"
            "    Material #1 g2\n"
            "    Material #2 g2\n");
}

TEST_F(TreeTest, EveryTypeShowsItsGlyphAndUnknownTypesShowTheBox) {
  const struct {
    int type;
    int glyph;
  } table[] = {{101, 5},  {102, 6},  {103, 15}, {104, 10}, {106, 11}, {107, 3},   {201, 1},
               {202, 0},  {204, 7},  {206, 16}, {207, 4},  {208, 8},  {210, 0},   {213, 14},
               {214, 13}, {215, 12}, {216, 11}, {105, 1},  {203, 1},  {99999, 1}, {-5, 1}};
  for (const auto& entry : table)
    simCreateObject(nullptr, (std::string("T").append(std::to_string(entry.type))).c_str(), entry.type);
  EXPECT_EQ(host.LeftClick(), 1);
  for (const auto& entry : table) {
    const TreeItemInfo* item = host.Find(std::string("T").append(std::to_string(entry.type)));
    ASSERT_NE(item, nullptr) << entry.type;
    EXPECT_EQ(item->glyph, entry.glyph) << entry.type;
    EXPECT_EQ(item->selectedGlyph, entry.glyph) << entry.type;
  }
}

TEST_F(TreeTest, HiddenMarkOnlyForHiddenModelNodes) {
  SobjHandle hidden = simCreateObject(nullptr, "Hidden", e_tsxPOLYH);
  simUserSetVisible(hidden, 0);
  SobjHandle notModel = simCreateObject(nullptr, "NotModel", e_tsxCAMERA);
  simUserSetVisible(notModel, 0);
  simSetModelNode(notModel, 0);
  simCreateObject(nullptr, "Shown", e_tsxPOLYH);
  EXPECT_EQ(Rebuilt(), "Scene g9 expanded\n  Hidden g1 hidden\n  NotModel g5\n  Shown g1\n");
}

TEST_F(TreeTest, FirstSelectedObjectInHostOrderIsSelected) {
  SobjHandle group = simCreateObject(nullptr, "B Group", e_tsxGROUP);
  SobjHandle inner = simCreateObject(group, "Inner", e_tsxPOLYH);
  SobjHandle later = simCreateObject(nullptr, "A Later", e_tsxPOLYH);
  EXPECT_EQ(host.LeftClick(), 1);
  host.ExpandAll();
  EXPECT_EQ(host.Dump(), "Scene g9 expanded\n  A Later g1\n  B Group g0 expanded\n    Inner g1\n");
  simUserMarkSelected(later, 1);
  simUserMarkSelected(inner, 1);
  EXPECT_EQ(host.LeftClick(), 1);
  EXPECT_EQ(host.Dump(), "Scene g9 expanded\n  A Later g1\n  B Group g0 expanded\n    Inner g1 selected\n");
  simUserDeselectAll();
  EXPECT_EQ(host.LeftClick(), 1);
  EXPECT_EQ(host.Dump(), "Scene g9 expanded\n  A Later g1\n  B Group g0 expanded\n    Inner g1\n");
}

TEST_F(TreeTest, SelectedObjectInACollapsedGroupLeavesItsGroupSelected) {
  // The rebuild selects the object, which reveals it, then collapses every branch that was not open
  // before; collapsing a branch moves the control's selection to the collapsed item.
  SobjHandle group = simCreateObject(nullptr, "Group", e_tsxGROUP);
  SobjHandle inner = simCreateObject(group, "Inner", e_tsxPOLYH);
  simUserSelect(inner);
  EXPECT_EQ(host.LeftClick(), 1);
  EXPECT_EQ(host.Dump(), "Scene g9 expanded\n  Group g0 selected\n");
}

TEST_F(TreeTest, ExpansionFollowsObjectsAcrossRebuilds) {
  GroupOfOne("Kept");
  SobjHandle replaced = GroupOfOne("Replaced");
  EXPECT_EQ(host.LeftClick(), 1);
  host.ExpandAll();
  simUserDelete(replaced);
  GroupOfOne("Replaced");
  EXPECT_EQ(host.LeftClick(), 1);
  EXPECT_EQ(host.Dump(), "Scene g9 expanded\n  Kept g0 expanded\n    Kept1 g1\n  Replaced g0\n");
}

TEST_F(TreeTest, ExpansionChangedThroughTheControlByAnotherProgramIsKept) {
  // TVM_EXPAND sent straight to the control (automation and accessibility tools do) notifies nobody once an
  // item has been expanded before: the rebuild has to ask the control.
  GroupOfOne("A");
  GroupOfOne("B");
  EXPECT_EQ(host.LeftClick(), 1);
  host.ExpandAll();  // each group's first expansion is notified
  HWND tree = host.Tree();
  SendMessageA(tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(host.FindItem("A")));
  EXPECT_EQ(host.LeftClick(), 1);
  EXPECT_EQ(host.Dump(), "Scene g9 expanded\n  A g0\n  B g0 expanded\n    B1 g1\n");

  // The other way: the user closes B (notified), then another program opens it again (not notified).
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(host.FindItem("B")));
  SendMessageA(tree, WM_KEYDOWN, VK_LEFT, 0);
  ASSERT_FALSE(host.Find("B")->expanded);
  SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(host.FindItem("B")));
  EXPECT_EQ(host.LeftClick(), 1);
  EXPECT_EQ(host.Dump(), "Scene g9 expanded\n  A g0\n  B g0 expanded\n    B1 g1\n");
}

TEST_F(TreeTest, RebuildAsksTheHostExactlyWhatTheWalkNeeds) {
  SobjHandle group = simCreateObject(nullptr, "Group", e_tsxGROUP);
  SobjHandle box = simCreateObject(group, "Box", e_tsxPOLYH);
  const int materials[] = {3, 5};
  simSetMaterials(box, materials, 2);
  SobjHandle cam = simCreateObject(nullptr, "Cam", e_tsxCAMERA);
  simUserSetVisible(cam, 0);
  simUserSelect(box);
  simLogClear();
  EXPECT_EQ(host.LeftClick(), 1);
  // The log with %G, %B and %C standing for the serials of the group, the box and the camera.
  std::string expected =
      "tsxSceneGetFirstNode()\n"
      "tsxSobjGetType(%G)\ntsxGNodeGetName(%G,255)\ntsxIsMNode(%G)\ntsxMNodeIsVisible(%G)\n"
      "tsxIsSelected(%G)\ntsxGNodeGetFirstChild(%G)\n"
      "tsxSobjGetType(%B)\ntsxGNodeGetName(%B,255)\ntsxIsMNode(%B)\ntsxMNodeIsVisible(%B)\n"
      "tsxIsSelected(%B)\ntsxGNodeGetFirstChild(%B)\n"
      "tsxPolyhGetNbrMaterials(%B)\ntsxPolyhGetFirstMaterialIdx(%B)\n"
      "tsxPolyhGetNextMaterialIdx(%B,3)\ntsxPolyhGetNextMaterialIdx(%B,5)\n"
      "tsxGNodeGetNext(%B)\ntsxGNodeGetNext(%G)\n"
      "tsxSobjGetType(%C)\ntsxGNodeGetName(%C,255)\ntsxIsMNode(%C)\ntsxMNodeIsVisible(%C)\n"
      "tsxGNodeGetFirstChild(%C)\ntsxGNodeGetNext(%C)\n";
  for (auto [mark, object] : {std::pair{"%G", group}, {"%B", box}, {"%C", cam}}) {
    std::string serial = Serial(object);
    for (size_t at = expected.find(mark); at != std::string::npos; at = expected.find(mark, at))
      expected.replace(at, 2, serial);
  }
  EXPECT_EQ(PluginHost::Log(), expected);
}

TEST_F(TreeTest, LongNamesAreCutAt255Characters) {
  std::string name(10000, 'x');
  simCreateObject(nullptr, name.c_str(), e_tsxPOLYH);
  EXPECT_EQ(host.LeftClick(), 1);
  const TreeItemInfo* cut = host.Find(std::string(255, 'x'));
  ASSERT_NE(cut, nullptr);
  EXPECT_EQ(cut->level, 1);
}

TEST_F(TreeTest, HostileAnswersDoNotHangTheWalk) {
  SobjHandle a = simCreateObject(nullptr, "A", e_tsxPOLYH);
  const int materials[] = {1, 2, 3};
  simSetMaterials(a, materials, 3);
  simSetEndlessMaterials(a, 1);
  SobjHandle b = simCreateObject(nullptr, "B", e_tsxPOLYH);
  simOverrideNext(b, a);  // the sibling list loops back
  simSetUnterminatedName(b, 1);
  EXPECT_EQ(host.LeftClick(), 1);
  host.ExpandAll();
  std::vector<TreeItemInfo> items = host.ReadTree();
  ASSERT_EQ(items.size(), 6u) << host.Dump();
  EXPECT_EQ(items[1].label, "A");
  EXPECT_EQ(items[5].label.size(), 255u);
}
// A rebuild on a shown panel takes the control's items over for the new tree: whatever changed in the
// scene, the control must end up holding what a fresh fill would hold.
TEST_F(TreeTest, RebuildOnAShownPanelHoldsWhatAFreshFillWould) {
  SobjHandle open = simCreateObject(nullptr, "Open", e_tsxGROUP);
  SobjHandle o1 = simCreateObject(open, "O1", e_tsxPOLYH);
  simCreateObject(open, "O2", e_tsxPOLYH);
  SobjHandle shut = simCreateObject(nullptr, "Shut", e_tsxGROUP);
  simCreateObject(shut, "S1", e_tsxPOLYH);
  SobjHandle gone = simCreateObject(nullptr, "Gone", e_tsxCAMERA);
  EXPECT_EQ(host.LeftClick(), 1);
  host.ExpandAll();
  SendMessageA(host.Tree(), TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(host.FindItem("Shut")));

  // Renamed, hidden, deleted, added, a member gone from the open group and the closed group emptied.
  simUserRename(o1, "Z1");
  simUserSetVisible(open, 0);
  simUserDelete(gone);
  simUserDelete(simGetFirstChild(shut));
  simCreateObject(nullptr, "New", e_tsxLIGHT);
  simCreateObject(simCreateObject(nullptr, "Nest", e_tsxGROUP), "N1", e_tsxPOLYH);
  EXPECT_EQ(host.LeftClick(), 1);
  EXPECT_EQ(host.Dump(),
            "Scene g9 expanded\n  Nest g0\n  New g6\n  Open g0 hidden expanded\n    O2 g1\n"
            "    Z1 g1\n  Shut g0\n");
  std::vector<TreeItemInfo> items = host.ReadTree();
  ASSERT_EQ(items.size(), 7u);
  EXPECT_TRUE(items[1].hasChildrenMark) << "Nest's members wait behind its button";
  EXPECT_FALSE(items[6].hasChildrenMark) << "Shut lost its only member";

  // Fewer objects than the control held, nothing open: the surplus items go.
  simResetScene();
  simCreateObject(nullptr, "Only", e_tsxPOLYH);
  EXPECT_EQ(host.LeftClick(), 1);
  EXPECT_EQ(host.Dump(), "Scene g9 expanded\n  Only g1\n");
}

TEST_F(TreeTest, RebuildShowsTheTopAndOnlyTheHostsSelection) {
  std::vector<SobjHandle> objects;
  for (int i = 0; i < 60; ++i)
    objects.push_back(simCreateObject(nullptr, ("Object " + std::to_string(100 + i)).c_str(), e_tsxPOLYH));
  EXPECT_EQ(host.LeftClick(), 1);
  HWND tree = host.Tree();
  // The user scrolled down and clicked an item the host then forgot about.
  SendMessageA(tree, TVM_SELECTITEM, TVGN_FIRSTVISIBLE,
               reinterpret_cast<LPARAM>(host.FindItem("Object 150")));
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(host.FindItem("Object 155")));
  simUserDeselectAll();
  EXPECT_EQ(host.LeftClick(), 1);
  auto next = [tree](UINT relation) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, 0));
  };
  EXPECT_EQ(next(TVGN_FIRSTVISIBLE), next(TVGN_ROOT));
  EXPECT_EQ(next(TVGN_CARET), nullptr);
  simUserSelect(objects[30]);
  EXPECT_EQ(host.LeftClick(), 1);
  ASSERT_NE(next(TVGN_CARET), nullptr);
  EXPECT_EQ(ReadTreeItem(tree, next(TVGN_CARET)).label, "Object 130");
}
TEST_F(TreeTest, AnOpenGroupScrolledIntoThatComesBackClosedLeavesTheControlWhole) {
  auto addGroup = [] {
    SobjHandle group = simCreateObject(nullptr, "Group", e_tsxGROUP);
    for (int i = 10; i < 50; ++i) simCreateObject(group, ("Member " + std::to_string(i)).c_str(), e_tsxPOLYH);
    return group;
  };
  SobjHandle group = addGroup();
  for (int i = 10; i < 40; ++i) simCreateObject(nullptr, ("Top " + std::to_string(i)).c_str(), e_tsxCAMERA);
  EXPECT_EQ(host.LeftClick(), 1);
  host.ExpandAll();
  HWND tree = host.Tree();
  SendMessageA(tree, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(host.FindItem("Member 30")));
  // The same label for another object, which was never open: its members leave the control.
  simUserDelete(group);
  addGroup();
  EXPECT_EQ(host.LeftClick(), 1);
  std::vector<TreeItemInfo> items = host.ReadTree();
  ASSERT_EQ(items.size(), 32u) << host.Dump();
  EXPECT_EQ(items[1].label, "Group");
  EXPECT_FALSE(items[1].expanded);
  EXPECT_EQ(reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)),
            items[0].item);
}
}  // namespace
