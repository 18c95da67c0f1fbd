#include "HostWalk.h"

#include "HostCall.h"

namespace {
struct WalkState {
  bool selectionFound = false;
  int objects = 0;
};

// How the walk calls the host: straight, or through the plug-in's guard.
struct Direct {
  template <class Fn, class... Args>
  static auto Call(Fn fn, Args... args) {
    return fn(args...);
  }
};
struct Guarded {
  template <class Fn, class... Args>
  static auto Call(Fn fn, Args... args) {
    return HostCall(fn, args...);
  }
};

// One object: type, name, hidden test, selection test until the first selected object, then its children,
// its materials (polyhedra) and its next sibling, as the panel's walk asks.
template <class Way>
void WalkList(WalkState& state, SobjHandle first) {
  for (SobjHandle object = first; object; object = Way::Call(tsxGNodeGetNext, object)) {
    ++state.objects;
    int type = Way::Call(tsxSobjGetType, object);
    char name[256];
    Way::Call(tsxGNodeGetName, object, name, 255);
    if (Way::Call(tsxIsMNode, object) == 1) Way::Call(tsxMNodeIsVisible, object);
    if (!state.selectionFound && Way::Call(tsxIsSelected, object) == 1) state.selectionFound = true;
    WalkList<Way>(state, Way::Call(tsxGNodeGetFirstChild, object));
    if (type != e_tsxPOLYH || Way::Call(tsxPolyhGetNbrMaterials, object) < 2) continue;
    for (int index = Way::Call(tsxPolyhGetFirstMaterialIdx, object); index != -1;
         index = Way::Call(tsxPolyhGetNextMaterialIdx, object, index)) {
    }
  }
}

template <class Way>
int Walk() {
  WalkState state;
  WalkList<Way>(state, Way::Call(tsxSceneGetFirstNode));
  return state.objects;
}
}  // namespace

int BareHostWalk() {
  return Walk<Direct>();
}
int GuardedHostWalk() {
  return Walk<Guarded>();
}
