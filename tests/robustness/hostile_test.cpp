// A hostile host: names of any length and any byte, names without a terminating zero, material walks and
// sibling lists that never end, type codes nobody knows, hierarchies deeper than any scene. The panel must
// come back from every rebuild, show what can be shown, and leave the scene as it was.
#include <gtest/gtest.h>

#include <climits>

#include "PluginFixture.h"
#include "SceneModel.h"

namespace {
class HostileTest : public PluginFixture {
 protected:
  void SetUp() override {
    PluginFixture::SetUp();
    HideMainView();
  }
  // A rebuild through the host's button, then the whole tree against the scene.
  void ExpectTreeShowsScene() {
    ASSERT_EQ(host.LeftClick(), 1);
    EXPECT_EQ(CompareTrees(ExpectedTree(), ReadControlTree(host.Tree())), "");
  }
  std::vector<std::string> LabelsUnder(const ShownItem& item) {
    std::vector<std::string> labels;
    for (const ShownItem& child : item.children) labels.push_back(child.label);
    return labels;
  }
  std::string NameOf(SobjHandle object) {
    std::string name(simGetName(object, nullptr, 0) + 1, '\0');
    simGetName(object, name.data(), static_cast<int>(name.size()));
    name.pop_back();
    return name;
  }
};

TEST_F(HostileTest, NamesOfAnyLengthAreCutAt255AndNeverCutInTheHost) {
  std::string huge(10000, 'h');
  huge[0] = 'H';
  SobjHandle big = simCreateObject(nullptr, huge.c_str(), e_tsxPOLYH);
  simCreateObject(nullptr, std::string(255, 'x').c_str(), e_tsxCAMERA);
  simCreateObject(nullptr, std::string(256, 'y').c_str(), e_tsxLIGHT);
  ExpectTreeShowsScene();
  EXPECT_EQ(ReadControlTree(host.Tree()).children.at(0).label, huge.substr(0, 255));

  // Opening the label and closing it unchanged must not pass the cut label back as the new name.
  HTREEITEM item = user.Items().at(1);
  user.Click(item);
  user.EditLabel(item, user.Label(item), true);
  EXPECT_EQ(NameOf(big), huge);

  // A long typed name goes to the host whole, as far as the edit field took it, and the item shows it.
  std::string typed(1000, 't');
  user.EditLabel(user.Items().at(1), typed, true);
  std::string stored = NameOf(big);
  EXPECT_FALSE(stored.empty());
  EXPECT_EQ(typed.compare(0, stored.size(), stored), 0);
  ExpectTreeShowsScene();
}

TEST_F(HostileTest, EveryByteValueInANameIsShownAndSorted) {
  std::string all;
  for (int byte = 1; byte <= 255; ++byte) {
    all += static_cast<char>(byte);
    std::string name = std::string("a") + static_cast<char>(byte) + "z";
    simCreateObject(nullptr, name.c_str(), 100 + byte);
  }
  simCreateObject(nullptr, all.c_str(), e_tsxGROUP);
  ExpectTreeShowsScene();
  EXPECT_EQ(ReadControlTree(host.Tree()).children.size(), 256u);
}

TEST_F(HostileTest, ANameWithoutItsZeroIsCutAtTheBuffer) {
  SobjHandle object = simCreateObject(nullptr, "abc", e_tsxPOLYH);
  simSetUnterminatedName(object, 1);
  ASSERT_EQ(host.LeftClick(), 1);
  ShownItem shown = ReadControlTree(host.Tree());
  ASSERT_EQ(shown.children.size(), 1u);
  EXPECT_EQ(shown.children[0].label.size(), 255u);
  EXPECT_EQ(shown.children[0].label.substr(0, 6), "abcabc");
}

TEST_F(HostileTest, AnEndlessMaterialWalkShowsEachIndexOnce) {
  SobjHandle polyhedron = simCreateObject(nullptr, "Poly", e_tsxPOLYH);
  const int indices[] = {4, 7, 9};
  simSetMaterials(polyhedron, indices, 3);
  simSetEndlessMaterials(polyhedron, 1);
  ASSERT_EQ(host.LeftClick(), 1);
  ShownItem shown = ReadControlTree(host.Tree());
  EXPECT_EQ(LabelsUnder(shown.children.at(0)),
            (std::vector<std::string>{"Material #4", "Material #7", "Material #9"}));
  simSetEndlessMaterials(polyhedron, 0);
  ExpectTreeShowsScene();
}

TEST_F(HostileTest, SiblingCyclesEndTheListAndShowEveryObjectOnce) {
  SobjHandle a = simCreateObject(nullptr, "A", e_tsxGROUP);
  SobjHandle b = simCreateObject(nullptr, "B", e_tsxGROUP);
  SobjHandle c = simCreateObject(nullptr, "C", e_tsxGROUP);
  SobjHandle member = simCreateObject(b, "Member", e_tsxPOLYH);
  simOverrideNext(c, a);       // the top level runs round for ever
  simOverrideNext(member, b);  // a member's next sibling is its own group
  simOverrideNext(a, a);       // and one object is its own next
  ASSERT_EQ(host.LeftClick(), 1);
  EXPECT_EQ(LabelsUnder(ReadControlTree(host.Tree())), (std::vector<std::string>{"A"}));
  simOverrideNext(a, nullptr);
  ASSERT_EQ(host.LeftClick(), 1);
  ShownItem shown = ReadControlTree(host.Tree());
  EXPECT_EQ(LabelsUnder(shown), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(LabelsUnder(shown.children.at(1)), (std::vector<std::string>{"Member"}));
  simOverrideNext(c, nullptr);
  simOverrideNext(member, nullptr);
  ExpectTreeShowsScene();
}

TEST_F(HostileTest, TypeCodesOutsideTheTableGetTheDefaultGlyph) {
  for (int type : {INT_MIN, -201, -1, 0, 1, 100, 105, 108, 200, 203, 217, 301, 65536 + 201, INT_MAX}) {
    SobjHandle object =
        simCreateObject(nullptr, (std::string("T").append(std::to_string(type))).c_str(), type);
    const int two[] = {0, 1};
    simSetMaterials(object, two, 2);  // only a polyhedron lists materials
  }
  ExpectTreeShowsScene();
  for (const ShownItem& item : ReadControlTree(host.Tree()).children) {
    EXPECT_EQ(item.glyph, 1) << item.label;
    EXPECT_TRUE(item.children.empty()) << item.label;
  }
}

TEST_F(HostileTest, AHierarchyAThousandDeepIsShownWhole) {
  SobjHandle parent = nullptr;
  for (int depth = 0; depth < 1000; ++depth)
    parent =
        simCreateObject(parent, (std::string("Level ").append(std::to_string(depth))).c_str(), e_tsxGROUP);
  ExpectTreeShowsScene();
  user.Click(user.Items().back());
  EXPECT_EQ(simGetCurrent(), parent);
  ExpectTreeShowsScene();
}
}  // namespace
