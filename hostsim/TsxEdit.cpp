// The host functions that change the scene.
#include "HostActions.h"

using namespace hostsim;

namespace {

Host& host = Host::Get();

std::uint32_t Arg(SobjHandle handle) {
  return RawOf(handle);
}

// A re-entrant host tells the plug-ins about the selection once more after any change it made.
int Changed(int result) {
  if (host.reentrant) NotifySelection(host);
  return result;
}

// One object-taking change: checked handle, then the change's own result (0 when refused or failed).
template <class Change>
int Apply(Fn fn, SobjHandle object, Change change) {
  HostCall call = host.Enter(fn, Arg(object));
  Object* o = call.Live(object);
  if (!call.Proceeds() || !o) return 0;
  return Changed(change(*o));
}

}  // namespace

extern "C" {

// An object the user could not pick in a view cannot be selected from a plug-in either.
int __cdecl tsxSelectSobj(SobjHandle object, int unused, int flag) {
  HostCall call = host.Enter(Fn::kSelectSobj, Arg(object), static_cast<std::uint32_t>(unused),
                             static_cast<std::uint32_t>(flag));
  Object* o = call.Live(object);
  if (!call.Proceeds() || !o || !o->selectable) return 0;
  SelectOnly(host, SerialOf(object));
  return 1;
}

int __cdecl tsxGroupRemoveCurrobj(void) {
  HostCall call = host.Enter(Fn::kGroupRemoveCurrobj);
  Serial current = host.scene.current;
  if (!call.Proceeds()) return 0;
  if (!current || !host.scene.At(current).parent) return Changed(0);
  return Changed(Regroup(host, current, 0) ? 1 : 0);
}

int __cdecl tsxGroupAtCurrobj(SobjHandle object) {
  return Apply(Fn::kGroupAtCurrobj, object, [&](Object&) {
    Serial current = host.scene.current;
    return current && Regroup(host, SerialOf(object), current) ? 1 : 0;
  });
}

int __cdecl tsxGNodeSetName(SobjHandle object, const char* name) {
  HostCall call = host.Enter(Fn::kGNodeSetName, Arg(object), host.log.Text(name));
  Object* o = call.Live(object);
  if (!call.Proceeds() || !o || !name) return 0;
  o->name = name;
  return Changed(1);
}

int __cdecl tsxMNodeSetVisible(SobjHandle object) {
  return Apply(Fn::kMNodeSetVisible, object,
               [](Object& o) { return o.modelNode ? (o.visible = true, 1) : 0; });
}

int __cdecl tsxMNodeSetInvisible(SobjHandle object) {
  return Apply(Fn::kMNodeSetInvisible, object,
               [](Object& o) { return o.modelNode ? (o.visible = false, 1) : 0; });
}

int __cdecl tsxSobjDelete(SobjHandle object) {
  return Apply(Fn::kSobjDelete, object, [&](Object&) {
    DeleteObject(host, SerialOf(object));
    return 1;
  });
}

int __cdecl tsxGNodeDeleteScript(SobjHandle object) {
  return Apply(Fn::kGNodeDeleteScript, object, [](Object& o) {
    o.animated = false;
    return 1;
  });
}

int __cdecl tsxGNodeDeleteScriptTree(SobjHandle object) {
  return Apply(Fn::kGNodeDeleteScriptTree, object, [&](Object&) {
    for (Serial s : host.scene.SubtreeChildrenFirst(SerialOf(object))) host.scene.At(s).animated = false;
    return 1;
  });
}

void __cdecl tsxAViewRefresh(void) {
  if (host.Enter(Fn::kAViewRefresh).Proceeds()) ++host.viewRefreshCount;
}

void __cdecl tsxAllViewsRefresh(void) {
  if (host.Enter(Fn::kAllViewsRefresh).Proceeds()) ++host.viewRefreshCount;
}

}  // extern "C"
