// Sibling order as the control shows it after a rebuild, against lstrcmpA itself: the panel's sort must
// agree with the platform's word sort on every pair, whatever shortcut it takes to get there.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PluginFixture.h"

namespace {
class LabelOrderTest : public PluginFixture {
 protected:
  // The top-level items under "Scene", as the control holds them.
  std::vector<TreeItemInfo> TopLevel() {
    EXPECT_EQ(host.LeftClick(), 1);
    std::vector<TreeItemInfo> top;
    for (const TreeItemInfo& item : host.ReadTree())
      if (item.level == 1) top.push_back(item);
    return top;
  }

  static void ExpectLstrcmpOrder(const std::vector<TreeItemInfo>& items) {
    for (size_t i = 0; i < items.size(); ++i)
      for (size_t j = i + 1; j < items.size(); ++j)
        EXPECT_LE(lstrcmpA(items[i].label.c_str(), items[j].label.c_str()), 0)
            << "\"" << items[i].label << "\" is shown before \"" << items[j].label << "\"";
  }
};

TEST_F(LabelOrderTest, AwkwardLabelsFollowTheWordSortPairByPair) {
  // Case, hyphens and apostrophes (which weigh little), digits as text, leading and trailing blanks,
  // punctuation, an accented letter of the ANSI code page and the empty name, in no particular order.
  const char* names[] = {"zed", "co-op",  "B",         "a'b",   "Material #2",  "coop",
                         "10",  " lead",  "\xe9t\xe9", "Co-op", "Material #10", "ab",
                         "b",   "_under", "2",         "Ab",    "a-b",          "e",
                         "",    "trail ", "Zed",       "f",     "AB",           "#1"};
  for (const char* name : names) simCreateObject(nullptr, name, e_tsxPOLYH);
  std::vector<TreeItemInfo> top = TopLevel();
  ASSERT_EQ(top.size(), std::size(names));
  ExpectLstrcmpOrder(top);
}

TEST_F(LabelOrderTest, LongNamesDifferingOnlyAtTheirEndSortByThatEnd) {
  // Names cut at 255 characters give the longest labels the panel ever sorts.
  std::string stem(254, 'x');
  simCreateObject(nullptr, (stem + "b").c_str(), e_tsxPOLYH);
  simCreateObject(nullptr, (stem + "A").c_str(), e_tsxPOLYH);
  simCreateObject(nullptr, (stem + "a").c_str(), e_tsxPOLYH);
  simCreateObject(nullptr, (stem + "-").c_str(), e_tsxPOLYH);
  std::vector<TreeItemInfo> top = TopLevel();
  ASSERT_EQ(top.size(), 4u);
  ExpectLstrcmpOrder(top);
  EXPECT_EQ(top.back().label, stem + "b");
}

TEST_F(LabelOrderTest, EqualLabelsKeepTheHostsOrder) {
  simCreateObject(nullptr, "Twin", e_tsxCAMERA);  // glyph 5
  simCreateObject(nullptr, "twin", e_tsxLIGHT);   // differs by case only: not equal, placed by the tie-break
  simCreateObject(nullptr, "Twin", e_tsxPATH);    // glyph 15
  simCreateObject(nullptr, "Alpha", e_tsxPOLYH);
  std::vector<TreeItemInfo> top = TopLevel();
  ASSERT_EQ(top.size(), 4u);
  ExpectLstrcmpOrder(top);
  EXPECT_EQ(top[0].label, "Alpha");
  // The two identical labels stay in the order the host walked them.
  std::vector<int> twins;
  for (const TreeItemInfo& item : top)
    if (item.label == "Twin") twins.push_back(item.glyph);
  EXPECT_EQ(twins, (std::vector<int>{5, 15}));
}
}  // namespace
