// The tree's side of a rebuild: a walked scene (SceneWalk.h) put into the tree view's items, with the glyph,
// hidden mark and data the panel shows for each entry. A branch's items are made from the list only when
// the branch is first asked for (the control shows it, a lookup reaches into it, a caller walks it): the
// collapsed groups of a large scene cost no item at all. No host call is made here.
#pragma once

#include <vector>

#include "SceneWalk.h"
#include "TreeNodes.h"

class TWalkFill : public TTreeNodeSource {
 public:
  // The walk's top level under root, waiting to be made. The walk's list must stay as it is for as long as
  // the items may ask for it: until the next clear of the items, or until they are told of another source.
  void Fill(TTreeNodes& items, TTreeNode* root, const TSceneWalk& walk);
  // The item of entry, made with the branches above it if they were waiting. Only for the items of the last
  // fill, none deleted since (TTreeNodes::Generation tells).
  TTreeNode* NodeOf(int entry);

  void MakeChildren(TTreeNodes& items, TTreeNode* parent, int entry) override;

 private:
  const TSceneWalk* FWalk = nullptr;  // not owned
  TTreeNode* FRoot = nullptr;         // not owned: the item the top level hangs from
  std::vector<TTreeNode*> FNodes;     // not owned: each entry's item, once made
};

// The glyph of an object item for the host's type code.
int TypeGlyph(int typeCode);
