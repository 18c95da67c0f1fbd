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
}  // namespace

int TypeGlyph(int typeCode) {
  for (const TypeGlyphEntry& entry : kTypeGlyphs)
    if (entry.type == typeCode) return entry.glyph;
  return kGlyphObject;
}

void TWalkFill::Fill(TTreeNodes& items, TTreeNode* root, const TSceneWalk& walk) {
  FWalk = &walk;
  FRoot = root;
  FNodes.assign(walk.Items().size(), nullptr);
  items.SetSource(this);
  items.DeferChildren(root, -1, static_cast<int>(walk.Items().size()));
}

// The list is in pre-order: an entry's first child follows it, and each child's next sibling follows the
// child's whole branch.
void TWalkFill::MakeChildren(TTreeNodes& items, TTreeNode* parent, int entry) {
  const std::vector<TWalkedItem>& walked = FWalk->Items();
  const int end = entry < 0 ? static_cast<int>(walked.size()) : entry + walked[entry].size;
  int count = 0;
  for (int child = entry + 1; child < end; child += walked[child].size) ++count;
  parent->ReserveChildren(count);
  for (int child = entry + 1; child < end; child += walked[child].size) {
    const TWalkedItem& walkedItem = walked[child];
    TTreeNode* item = items.AddMadeChild(parent, walkedItem.label, walkedItem.object);
    int glyph = walkedItem.material ? kGlyphMaterial : TypeGlyph(walkedItem.type);
    item->SetImageIndex(glyph);
    item->SetSelectedIndex(glyph);
    if (walkedItem.hidden) item->SetStateIndex(kStateHidden);
    if (walkedItem.size > 1) items.DeferChildren(item, child, walkedItem.size - 1);
    FNodes[child] = item;
  }
}

TTreeNode* TWalkFill::NodeOf(int entry) {
  if (entry < 0 || entry >= static_cast<int>(FNodes.size())) return nullptr;
  if (!FNodes[entry]) {
    // The nearest made ancestor, then its waiting branches down to the entry, one level at a time.
    std::vector<int> path{entry};
    while (FWalk->Items()[path.back()].parent >= 0 && !FNodes[FWalk->Items()[path.back()].parent])
      path.push_back(FWalk->Items()[path.back()].parent);
    for (auto level = path.rbegin(); level != path.rend(); ++level) {
      int parent = FWalk->Items()[*level].parent;
      TTreeNode* above = parent < 0 ? FRoot : FNodes[parent];
      if (!above) return nullptr;
      above->Count();  // makes the branch if it waits
    }
  }
  return FNodes[entry];
}
