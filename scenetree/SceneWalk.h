// The host's side of a rebuild: the scene read into a flat list, in the host's own pre-order, with nothing
// of the tree or its window involved. Every object costs a fixed sequence of host calls, in the host's
// order (the host sees the same calls for the same scene, whatever the tree shows); what becomes of the
// list is the tree fill's business (TreeFill.h).
//
// The list is the panel's copy of the scene between rebuilds: the tree makes the items of a branch from it
// only when the branch is first asked for. Its storage is kept from one walk to the next, so that a rebuild
// of a large scene touches memory it already has instead of asking the system for fresh pages.
#pragma once

#include <algorithm>
#include <memory>
#include <string_view>
#include <vector>

#include "HandleMap.h"
#include "TsxApi5.h"

// The longest label an object's item shows: the host's name is read into a buffer of this many characters.
constexpr int kMaxLabelLength = 255;

struct TWalkedItem {
  int parent;         // index of the parent object's entry, -1 under the root
  SobjHandle object;  // null for a material, and for an object whose reading failed before it was done
  // The host's name cut at kMaxLabelLength characters, or "Material #<index>"; kept in the walk's label
  // store.
  std::string_view label;
  int type;  // the host's type code; 0 for a material
  int size;  // entries in this one's branch, itself included: the next sibling is size entries on
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

 private:
  // The labels' characters, in blocks that never move once written: an entry's label stays valid until the
  // next walk, however many labels follow it.
  class TLabelStore {
   public:
    void Clear() { FBlock = FUsed = 0; }
    std::string_view Add(std::string_view text) {
      if (FBlock < FBlocks.size() && FUsed + text.size() > kBlockSize) {
        ++FBlock;
        FUsed = 0;
      }
      if (FBlock == FBlocks.size()) FBlocks.push_back(std::make_unique<char[]>(kBlockSize));
      char* start = FBlocks[FBlock].get() + FUsed;
      std::copy(text.begin(), text.end(), start);
      FUsed += text.size();
      return std::string_view(start, text.size());
    }

   private:
    static constexpr size_t kBlockSize = 64 * 1024;
    std::vector<std::unique_ptr<char[]>> FBlocks;  // kept for the next walk
    size_t FBlock = 0;                             // the block being written
    size_t FUsed = 0;                              // characters written into it
  };

  void WalkSiblings(SobjHandle first);
  int ReadObject(int parent, SobjHandle object);
  void ReadMaterials(int parent, SobjHandle polyhedron);
  void MeasureBranches();

  std::vector<TWalkedItem> FItems;
  TLabelStore FLabels;
  THandleMap FEntries;
  int FSelected = -1;
};
