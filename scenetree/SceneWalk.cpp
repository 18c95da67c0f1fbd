#include "SceneWalk.h"

#include <algorithm>
#include <unordered_set>

#include "HostCall.h"
#include "ScopeExit.h"

namespace {
// The material indices met on one polyhedron. A polyhedron has a handful: a short list answers faster than
// a hash set can be made, which matters with ten thousand polyhedra in a scene.
class TIndexSet {
 public:
  bool Insert(int index) {
    if (FMany.empty()) {
      if (std::find(FFew, FFew + FFewCount, index) != FFew + FFewCount) return false;
      if (FFewCount < kFew) {
        FFew[FFewCount++] = index;
        return true;
      }
      FMany.insert(FFew, FFew + FFewCount);
    }
    return FMany.insert(index).second;
  }

 private:
  static constexpr size_t kFew = 32;
  int FFew[kFew];
  size_t FFewCount = 0;
  std::unordered_set<int> FMany;
};

// "Material #<index>" without a formatted print, which costs more than the host's answer (there are three
// per polyhedron).
class MaterialLabel {
 public:
  explicit MaterialLabel(int index) {
    static constexpr char kPrefix[] = "Material #";
    char digits[12];
    char* first = digits + sizeof digits;
    unsigned magnitude = index < 0 ? 0u - static_cast<unsigned>(index) : static_cast<unsigned>(index);
    do *--first = static_cast<char>('0' + magnitude % 10);
    while (magnitude /= 10);
    if (index < 0) *--first = '-';
    FEnd = std::copy(kPrefix, kPrefix + sizeof kPrefix - 1, FText);
    FEnd = std::copy(first, digits + sizeof digits, FEnd);
  }
  std::string_view View() const { return std::string_view(FText, FEnd - FText); }

 private:
  char FText[24];
  char* FEnd;
};
}  // namespace

void TSceneWalk::Run() {
  FItems.clear();
  FLabels.Clear();
  FEntries.Clear();
  FSelected = -1;
  TOnScopeExit measure([this] { MeasureBranches(); });  // a walk cut short keeps a consistent list
  WalkSiblings(HostCall(tsxSceneGetFirstNode));
}

// Every entry's branch size, from the parents alone: the walk may have ended anywhere. Each entry was
// listed with a size of one, its own.
void TSceneWalk::MeasureBranches() {
  for (size_t i = FItems.size(); i-- > 0;)
    if (FItems[i].parent >= 0) FItems[FItems[i].parent].size += FItems[i].size;
}

// Pre-order over the host's hierarchy, siblings in the host's order, an object's children before its
// materials and its next sibling. Kept on an explicit stack: a deep hierarchy must not exhaust the host
// thread's stack, and an object met twice (a host whose links form a cycle) ends that list.
void TSceneWalk::WalkSiblings(SobjHandle first) {
  struct Level {
    int parent;
    SobjHandle next;
    int entry = -1;  // the object whose children are being read
    SobjHandle object = nullptr;
  };
  std::vector<Level> stack{{-1, first}};
  while (!stack.empty()) {
    Level& level = stack.back();
    if (level.entry >= 0) {
      if (FItems[level.entry].type == e_tsxPOLYH) ReadMaterials(level.entry, level.object);
      level.entry = -1;
      level.next = HostCall(tsxGNodeGetNext, level.object);
      continue;
    }
    if (!level.next || !FEntries.Insert(level.next, static_cast<int>(FItems.size()))) {
      stack.pop_back();
      continue;
    }
    level.object = level.next;
    level.entry = ReadObject(level.parent, level.object);
    int parent = level.entry;  // the push below may move the stack
    stack.push_back({parent, HostCall(tsxGNodeGetFirstChild, level.object)});
  }
}

// Type, name, hidden mark and the first selection, in that order. The entry is listed as soon as its
// name is known, and gets its object only once it is complete, as an item did when it was added at once.
int TSceneWalk::ReadObject(int parent, SobjHandle object) {
  int type = HostCall(tsxSobjGetType, object);
  char name[kMaxLabelLength + 1] = {};
  HostCall(tsxGNodeGetName, object, name, kMaxLabelLength);
  name[kMaxLabelLength] = '\0';  // a host that fills the whole buffer still gives a label, cut
  int entry = static_cast<int>(FItems.size());
  FItems.push_back({parent, nullptr, FLabels.Add(name), type, 1, false, false});
  bool hidden = HostCall(tsxIsMNode, object) == 1 && HostCall(tsxMNodeIsVisible, object) == 0;
  FItems[entry].hidden = hidden;
  FItems[entry].object = object;
  if (FSelected < 0 && HostCall(tsxIsSelected, object) == 1) FSelected = entry;
  return entry;
}

void TSceneWalk::ReadMaterials(int parent, SobjHandle polyhedron) {
  if (HostCall(tsxPolyhGetNbrMaterials, polyhedron) < 2) return;
  // A host that never answers -1 would loop for ever: an index met twice ends the walk.
  TIndexSet seen;
  for (int index = HostCall(tsxPolyhGetFirstMaterialIdx, polyhedron); index != -1 && seen.Insert(index);
       index = HostCall(tsxPolyhGetNextMaterialIdx, polyhedron, index)) {
    FItems.push_back({parent, nullptr, FLabels.Add(MaterialLabel(index).View()), 0, 1, true, false});
  }
}
