// The scene's structure as the simulator holds it, for a test that computes what a plug-in ought to show.
// Read straight from the objects, never through the host functions: nothing is logged, counted against
// injected failures or taken as a violation, and hostile answers (a sibling override, endless materials,
// an unterminated name) do not apply here.
#include <algorithm>

#include "Host.h"
#include "SimControl.h"

using namespace hostsim;

namespace {

Host& host = Host::Get();

template <class T, class Reader>
T Read(SobjHandle object, T missing, Reader read) {
  Object* o = host.scene.Find(object);
  return o ? read(*o) : missing;
}

}  // namespace

extern "C" {

SobjHandle __cdecl simGetFirstTopLevel(void) {
  return HandleOf(host.scene.FirstTopLevel());
}

SobjHandle __cdecl simGetFirstChild(SobjHandle object) {
  return Read(object, SobjHandle{}, [](Object& o) { return HandleOf(o.firstChild); });
}

SobjHandle __cdecl simGetNextSibling(SobjHandle object) {
  return Read(object, SobjHandle{}, [](Object& o) { return HandleOf(o.next); });
}

int __cdecl simGetType(SobjHandle object) {
  return Read(object, 0, [](Object& o) { return o.type; });
}

int __cdecl simIsModelNode(SobjHandle object) {
  return Read(object, 0, [](Object& o) { return o.modelNode ? 1 : 0; });
}

int __cdecl simIsMarkedSelected(SobjHandle object) {
  return Read(object, 0, [](Object& o) { return o.selected ? 1 : 0; });
}

int __cdecl simGetMaterials(SobjHandle object, int* indices, int capacity) {
  return Read(object, -1, [&](Object& o) {
    int count = static_cast<int>(o.materials.size());
    if (indices && capacity > 0) std::copy_n(o.materials.begin(), std::min(count, capacity), indices);
    return count;
  });
}

}  // extern "C"
