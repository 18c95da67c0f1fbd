// Building the scene and reading it back, on the simulator's side of the table: none of this is a host call,
// so nothing here is logged, injected with failures or counted as a violation.
#include <algorithm>

#include "Host.h"
#include "SimControl.h"

using namespace hostsim;

namespace {

Host& host = Host::Get();

template <class Edit>
void Change(SobjHandle object, Edit edit) {
  if (Object* o = host.scene.Find(object)) edit(*o);
}

}  // namespace

extern "C" {

void __cdecl simResetScene(void) {
  host.scene.Reset();
}

SobjHandle __cdecl simCreateObject(SobjHandle parent, const char* name, int type) {
  if (parent && !host.scene.Find(parent)) return nullptr;
  return HandleOf(host.scene.Create(SerialOf(parent), name, type));
}

void __cdecl simSetModelNode(SobjHandle object, int isModelNode) {
  Change(object, [&](Object& o) { o.modelNode = isModelNode != 0; });
}

void __cdecl simSetSelectable(SobjHandle object, int selectable) {
  Change(object, [&](Object& o) { o.selectable = selectable != 0; });
}

void __cdecl simSetAnimation(SobjHandle object, int hasAnimation) {
  Change(object, [&](Object& o) { o.animated = hasAnimation != 0; });
}

void __cdecl simSetMaterials(SobjHandle object, const int* indices, int count) {
  Change(object,
         [&](Object& o) { o.materials.assign(indices, indices + (indices ? std::max(count, 0) : 0)); });
}

int __cdecl simIsAlive(SobjHandle object) {
  return host.scene.Find(object) ? 1 : 0;
}

int __cdecl simObjectCount(void) {
  return host.scene.AliveCount();
}

SobjHandle __cdecl simGetParent(SobjHandle object) {
  Object* o = host.scene.Find(object);
  return o ? HandleOf(o->parent) : nullptr;
}

SobjHandle __cdecl simGetCurrent(void) {
  return HandleOf(host.scene.current);
}

int __cdecl simGetName(SobjHandle object, char* buffer, int bufferSize) {
  Object* o = host.scene.Find(object);
  if (!o) return -1;
  int length = static_cast<int>(o->name.size());
  if (buffer && bufferSize > 0) {
    int copied = std::min(length, bufferSize - 1);
    std::copy_n(o->name.data(), copied, buffer);
    buffer[copied] = '\0';
  }
  return length;
}

int __cdecl simIsVisible(SobjHandle object) {
  Object* o = host.scene.Find(object);
  return o && o->visible ? 1 : 0;
}

int __cdecl simHasAnimation(SobjHandle object) {
  Object* o = host.scene.Find(object);
  return o && o->animated ? 1 : 0;
}

int __cdecl simHandleSerial(SobjHandle object) {
  return static_cast<int>(SerialOf(object));
}

SobjHandle __cdecl simHandleFromSerial(int serial) {
  return serial > 0 ? HandleOf(static_cast<Serial>(serial)) : nullptr;
}

}  // extern "C"
