#include "HostWalk.h"

#include <vector>

namespace {
struct WalkState {
  bool selectionFound = false;
  int objects = 0;
};

// One object: type, name, hidden test, selection test until the first selected object, then its children,
// its materials (polyhedra) and its next sibling, as the panel's walk asks.
void WalkList(WalkState& state, SobjHandle first) {
  for (SobjHandle object = first; object; object = tsxGNodeGetNext(object)) {
    ++state.objects;
    int type = tsxSobjGetType(object);
    char name[256];
    tsxGNodeGetName(object, name, 255);
    if (tsxIsMNode(object) == 1) tsxMNodeIsVisible(object);
    if (!state.selectionFound && tsxIsSelected(object) == 1) state.selectionFound = true;
    WalkList(state, tsxGNodeGetFirstChild(object));
    if (type != e_tsxPOLYH || tsxPolyhGetNbrMaterials(object) < 2) continue;
    for (int index = tsxPolyhGetFirstMaterialIdx(object); index != -1;
         index = tsxPolyhGetNextMaterialIdx(object, index)) {
    }
  }
}
}  // namespace

int BareHostWalk() {
  WalkState state;
  WalkList(state, tsxSceneGetFirstNode());
  return state.objects;
}
