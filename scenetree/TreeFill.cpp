#include "TreeFill.h"

#include "PictureIndex.h"

namespace {
struct TypeGlyphEntry {
  int type;
  int glyph;
};
// The glyph of an object item by the host's type code; codes not listed show kGlyphObject.
constexpr TypeGlyphEntry kTypeGlyphs[] = {
    {e_tsxCAMERA, kGlyphCamera},   {e_tsxLIGHT, kGlyphLight},   {e_tsxPATH, kGlyphPath},
    {e_tsxJOINT, kGlyphHammer},    {e_tsxSPLINE, kGlyphCurve},  {e_tsxSKELETON, kGlyphBone},
    {e_tsxPOLYH, kGlyphObject},    {e_tsxGROUP, kGlyphGroup},   {e_tsxMETABALL, kGlyphMetaball},
    {e_tsxLATTICE, kGlyphUngroup}, {e_tsxMETACLAY, kGlyphBlob}, {e_tsxROBOT, kGlyphSkeleton},
    {e_tsxLODGROUP, kGlyphGroup},  {e_tsxNURBS, kGlyphSurface}, {e_tsxNURBSCURVE, kGlyphSpline},
    {e_tsxPATCH, kGlyphPatch},     {e_tsxSWEEP, kGlyphCurve},
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
  return kGlyphObject;
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
    int glyph = entry.material ? kGlyphMaterial : TypeGlyph(entry.type);
    item->SetImageIndex(glyph);
    item->SetSelectedIndex(glyph);
    if (entry.hidden) item->SetStateIndex(kStateHidden);
    if (counts[i]) item->ReserveChildren(counts[i]);
    nodes[i] = item;
  }
}
