#include "TreeFill.h"

namespace {
constexpr int kMaterialGlyph = 2;
constexpr int kDefaultGlyph = 1;
constexpr int kHiddenMark = 1;

struct TypeGlyphEntry {
  int type;
  int glyph;
};
constexpr TypeGlyphEntry kTypeGlyphs[] = {
    {101, 5},  {102, 6}, {103, 15}, {104, 10}, {106, 11}, {107, 3},  {201, 1},  {202, 0},  {204, 7},
    {206, 16}, {207, 4}, {208, 8},  {210, 0},  {213, 14}, {214, 13}, {215, 12}, {216, 11},
};

// How many children each entry has, so that every item's list of children is made once at its size.
std::vector<int> ChildCounts(const std::vector<TWalkedItem>& walked, int& topLevel) {
  std::vector<int> counts(walked.size(), 0);
  topLevel = 0;
  for (const TWalkedItem& entry : walked) ++(entry.parent < 0 ? topLevel : counts[entry.parent]);
  return counts;
}
}  // namespace

int TypeGlyph(int typeCode) {
  for (const TypeGlyphEntry& entry : kTypeGlyphs)
    if (entry.type == typeCode) return entry.glyph;
  return kDefaultGlyph;
}

void FillTree(TTreeNodes& items, TTreeNode* root, const std::vector<TWalkedItem>& walked,
              std::vector<TTreeNode*>& nodes) {
  int topLevel = 0;
  std::vector<int> counts = ChildCounts(walked, topLevel);
  root->ReserveChildren(topLevel);
  nodes.resize(walked.size());
  for (size_t i = 0; i < walked.size(); ++i) {
    const TWalkedItem& entry = walked[i];
    TTreeNode* item =
        items.AddChildObject(entry.parent < 0 ? root : nodes[entry.parent], entry.label, entry.object);
    int glyph = entry.material ? kMaterialGlyph : TypeGlyph(entry.type);
    item->SetImageIndex(glyph);
    item->SetSelectedIndex(glyph);
    if (entry.hidden) item->SetStateIndex(kHiddenMark);
    if (counts[i]) item->ReserveChildren(counts[i]);
    nodes[i] = item;
  }
}
