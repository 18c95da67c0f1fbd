// The tree's side of a rebuild: a walked scene (SceneWalk.h) put into the tree view's items, with the glyph,
// hidden mark and data the panel shows for each entry. No host call is made here.
#pragma once

#include <vector>

#include "SceneWalk.h"
#include "TreeNodes.h"

// One item per entry, in the list's order, the top-level objects under root. nodes receives the item of
// every entry, by entry index.
void FillTree(TTreeNodes& items, TTreeNode* root, const std::vector<TWalkedItem>& walked,
              std::vector<TTreeNode*>& nodes);

// The glyph of an object item for the host's type code.
int TypeGlyph(int typeCode);
