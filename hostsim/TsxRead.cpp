// The host functions that read the scene.
#include <algorithm>

#include "Host.h"

using namespace hostsim;

namespace {

Host& host = Host::Get();

std::uint32_t Arg(SobjHandle handle) {
  return RawOf(handle);
}

// One object-taking query: checked handle, then the answer or the failure value.
template <class T, class Answer>
T Query(Fn fn, SobjHandle object, T failed, Answer answer) {
  HostCall call = host.Enter(fn, Arg(object));
  Object* o = call.Live(object);
  if (!call.Proceeds() || !o) return failed;
  return answer(*o);
}

int MaterialAfter(const Object& o, int index) {
  auto it = std::find(o.materials.begin(), o.materials.end(), index);
  if (it != o.materials.end() && ++it != o.materials.end()) return *it;
  return o.endlessMaterials && !o.materials.empty() ? o.materials.front() : -1;
}

void WriteName(const Object& o, char* buffer, int maxLength) {
  if (o.unterminatedName) {
    // A hostile host: the buffer is filled to the limit and no zero follows.
    for (int i = 0; i < maxLength; ++i) buffer[i] = o.name.empty() ? '?' : o.name[i % o.name.size()];
    return;
  }
  int length = std::min<int>(maxLength, static_cast<int>(o.name.size()));
  std::copy_n(o.name.data(), length, buffer);
  buffer[length] = '\0';
}

}  // namespace

extern "C" {

SobjHandle __cdecl tsxSceneGetFirstNode(void) {
  HostCall call = host.Enter(Fn::kSceneGetFirstNode);
  return call.Proceeds() ? HandleOf(host.scene.FirstTopLevel()) : nullptr;
}

SobjHandle __cdecl tsxGNodeGetNext(SobjHandle object) {
  return Query(Fn::kGNodeGetNext, object, SobjHandle{},
               [](Object& o) { return o.nextOverride ? o.nextOverride : HandleOf(o.next); });
}

SobjHandle __cdecl tsxGNodeGetFirstChild(SobjHandle object) {
  return Query(Fn::kGNodeGetFirstChild, object, SobjHandle{},
               [](Object& o) { return HandleOf(o.firstChild); });
}

char* __cdecl tsxGNodeGetName(SobjHandle object, char* buffer, int maxLength) {
  HostCall call = host.Enter(Fn::kGNodeGetName, Arg(object), static_cast<std::uint32_t>(maxLength));
  Object* o = call.Live(object);
  if (!call.Proceeds() || !o || !buffer || maxLength < 0) return nullptr;
  WriteName(*o, buffer, maxLength);
  return buffer;
}

int __cdecl tsxSobjGetType(SobjHandle object) {
  return Query(Fn::kSobjGetType, object, 0, [](Object& o) { return o.type; });
}

int __cdecl tsxIsMNode(SobjHandle object) {
  return Query(Fn::kIsMNode, object, 0, [](Object& o) { return o.modelNode ? 1 : 0; });
}

int __cdecl tsxMNodeIsVisible(SobjHandle object) {
  return Query(Fn::kMNodeIsVisible, object, 0, [](Object& o) { return o.modelNode && o.visible ? 1 : 0; });
}

int __cdecl tsxIsSelected(SobjHandle object) {
  return Query(Fn::kIsSelected, object, 0, [](Object& o) { return o.selected ? 1 : 0; });
}

int __cdecl tsxIsSelectable(SobjHandle object) {
  return Query(Fn::kIsSelectable, object, 0, [](Object& o) { return o.selectable ? 1 : 0; });
}

// The one function that may be asked about any handle: answering "no" for a dead one is its purpose.
int __cdecl tsxIsGNodeInScene(SobjHandle object) {
  HostCall call = host.Enter(Fn::kIsGNodeInScene, Arg(object));
  return call.Proceeds() && host.scene.Find(object) ? 1 : 0;
}

SobjHandle __cdecl tsxGetCurrentSelection(void) {
  HostCall call = host.Enter(Fn::kGetCurrentSelection);
  const auto& selection = host.scene.Selection();
  return call.Proceeds() && !selection.empty() ? HandleOf(selection.front()) : nullptr;
}

int __cdecl tsxPolyhGetNbrMaterials(SobjHandle polyhedron) {
  return Query(Fn::kPolyhGetNbrMaterials, polyhedron, 0,
               [](Object& o) { return static_cast<int>(o.materials.size()); });
}

int __cdecl tsxPolyhGetFirstMaterialIdx(SobjHandle polyhedron) {
  return Query(Fn::kPolyhGetFirstMaterialIdx, polyhedron, -1,
               [](Object& o) { return o.materials.empty() ? -1 : o.materials.front(); });
}

int __cdecl tsxPolyhGetNextMaterialIdx(SobjHandle polyhedron, int index) {
  HostCall call =
      host.Enter(Fn::kPolyhGetNextMaterialIdx, Arg(polyhedron), static_cast<std::uint32_t>(index));
  Object* o = call.Live(polyhedron);
  if (!call.Proceeds() || !o) return -1;
  return MaterialAfter(*o, index);
}

float __cdecl tsxAnimGetActiveTime(void) {
  HostCall call = host.Enter(Fn::kAnimGetActiveTime);
  return call.Proceeds() ? host.activeTime : 0.0f;
}

}  // extern "C"
