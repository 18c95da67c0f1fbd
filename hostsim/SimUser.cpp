// The host's own user at work: the same changes as the plug-in's host calls, with the same notifications,
// but not logged as the plug-in's calls.
#include "HostActions.h"
#include "SimControl.h"

using namespace hostsim;

namespace {

Host& host = Host::Get();

Serial LiveSerial(SobjHandle object) {
  return host.scene.Find(object) ? SerialOf(object) : 0;
}

}  // namespace

extern "C" {

void __cdecl simUserSelect(SobjHandle object) {
  if (Serial serial = LiveSerial(object)) SelectOnly(host, serial);
}

void __cdecl simUserMarkSelected(SobjHandle object, int selected) {
  if (Serial serial = LiveSerial(object)) MarkSelected(host, serial, selected != 0);
}

void __cdecl simUserDeselectAll(void) {
  DeselectAll(host);
}

SobjHandle __cdecl simUserCreate(SobjHandle parent, const char* name, int type) {
  return simCreateObject(parent, name, type);
}

void __cdecl simUserDelete(SobjHandle object) {
  if (Serial serial = LiveSerial(object)) DeleteObject(host, serial);
}

void __cdecl simUserRename(SobjHandle object, const char* name) {
  if (Object* o = host.scene.Find(object); o && name) o->name = name;
}

void __cdecl simUserSetVisible(SobjHandle object, int visible) {
  if (Object* o = host.scene.Find(object)) o->visible = visible != 0;
}

int __cdecl simUserRegroup(SobjHandle object, SobjHandle newParent) {
  Serial serial = LiveSerial(object);
  if (!serial || (newParent && !LiveSerial(newParent))) return 0;
  return Regroup(host, serial, SerialOf(newParent)) ? 1 : 0;
}

}  // extern "C"
