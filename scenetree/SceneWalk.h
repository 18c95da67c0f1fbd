// The host's side of a rebuild: the scene read into a flat list, in the host's own pre-order, with nothing
// of the tree or its window involved. Every object costs the same host calls in the same order as the
// panel has always made them; what becomes of the list is the tree fill's business (TreeFill.h).
#pragma once

#include <string>
#include <vector>

#include "HandleMap.h"
#include "TsxApi5.h"

struct TWalkedItem {
  int parent;         // index of the parent object's entry, -1 under the root
  SobjHandle object;  // null for a material, and for an object whose reading failed before it was done
  std::string label;  // the host's name cut at 255 characters, or "Material #<index>"
  int type;           // the host's type code; 0 for a material
  bool material;
  bool hidden;  // a model node the host reports invisible
};

class TSceneWalk {
 public:
  // Reads the whole scene. A failing host call ends the walk and passes on; what was read until then stays.
  void Run();

  const std::vector<TWalkedItem>& Items() const { return FItems; }
  // The entry of the first object, in walk order, that the host reports selected; -1 when none.
  int Selected() const { return FSelected; }
  // Every object met, by handle, to its entry: each object is listed once.
  const THandleMap& Entries() const { return FEntries; }
  // Hands the entry map over (the panel keeps it as its lookup) and takes an old one back to reuse.
  void SwapEntries(THandleMap& other) { std::swap(FEntries, other); }
  // Drops the list once the tree is filled: a large scene's list is as big as its items, and is made
  // again by the next walk.
  void ReleaseItems() { std::vector<TWalkedItem>().swap(FItems); }

 private:
  void WalkSiblings(SobjHandle first);
  int ReadObject(int parent, SobjHandle object);
  void ReadMaterials(int parent, SobjHandle polyhedron);

  std::vector<TWalkedItem> FItems;
  size_t FLastCount = 0;  // entries of the previous walk: room for as many is made at once
  THandleMap FEntries;
  int FSelected = -1;
};
