// The host's side of the plug-in conversation: loading a plug-in's entry points, clicking its button,
// and delivering notifications on demand.
#include "HostActions.h"
#include "SimControl.h"

using namespace hostsim;

namespace {

Host& host = Host::Get();

// A call into a plug-in may unregister it: every entry point is read before the call, and the plug-in is
// looked up again after it.

}  // namespace

extern "C" {

void __cdecl simSetMainViewHwnd(HWND view) {
  host.mainView = view;
}

int __cdecl simViewRefreshCount(void) {
  return host.viewRefreshCount;
}

int __cdecl simRegisterPlugin(int plugId, HMODULE module) {
  return host.plugins.Register(plugId, module) ? 1 : 0;
}

void __cdecl simUnregisterPlugin(int plugId) {
  Plugin* plugin = host.plugins.Find(plugId);
  if (!plugin) return;
  host.notifier.DropPlugin(plugId, plugin->module);
  host.plugins.Unregister(plugId);
}

int __cdecl simPluginGetVersion(int plugId) {
  Plugin* plugin = host.plugins.Find(plugId);
  return plugin ? plugin->getVersion() : 0;
}

void __cdecl simPluginGetData(int plugId, SimPlugData* data) {
  Plugin* plugin = host.plugins.Find(plugId);
  if (plugin && data) plugin->getData(data, plugId);
}

int __cdecl simPluginLeftClick(int plugId) {
  Plugin* plugin = host.plugins.Find(plugId);
  if (!plugin) return 0;
  int result = plugin->onLeftClick();
  if ((plugin = host.plugins.Find(plugId))) plugin->active = result == 1;
  return result;
}

void __cdecl simPluginRightClick(int plugId) {
  if (Plugin* plugin = host.plugins.Find(plugId)) plugin->onRightClick();
}

void __cdecl simPluginDeactivate(int plugId) {
  Plugin* plugin = host.plugins.Find(plugId);
  if (!plugin) return;
  plugin->active = false;
  plugin->deactivate();
}

int __cdecl simPluginIsActive(int plugId) {
  Plugin* plugin = host.plugins.Find(plugId);
  return plugin && plugin->active ? 1 : 0;
}

int __cdecl simHasSelectionCallback(int plugId) {
  return host.notifier.selection.Has(plugId) ? 1 : 0;
}
int __cdecl simHasDestroyCallback(int plugId) {
  return host.notifier.destroy.Has(plugId) ? 1 : 0;
}
int __cdecl simHasActiveTimeCallback(int plugId) {
  return host.notifier.activeTime.Has(plugId) ? 1 : 0;
}
int __cdecl simHasObjectMoveCallback(int plugId) {
  return host.notifier.objectMove.Has(plugId) ? 1 : 0;
}
int __cdecl simEventCallbackCount(int category) {
  return host.notifier.EventCount(category);
}

void __cdecl simFireSelectionChanged(void) {
  NotifySelection(host);
}

void __cdecl simFireObjectDestroy(SobjHandle object) {
  host.notifier.destroy.Fire(object);
}

void __cdecl simFireActiveTimeChanged(float time) {
  host.activeTime = time;
  host.notifier.activeTime.Fire();
}

void __cdecl simFireObjectMove(short value) {
  CtsxTxmx3f transform{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}}};
  host.notifier.objectMove.Fire(&transform, value);
}

void __cdecl simFireEvent(int category, int code) {
  if (category == e_tsxEVENT_VIEWMSG) {
    // A view message has no code of its own; the code travels as the message.
    tsxEventViewMsgData record{host.mainView, static_cast<UINT>(code), 0, 0};
    host.notifier.FireEvent(category, &record);
  } else {
    tsxEventGeneralData record{code};
    host.notifier.FireEvent(category, &record);
  }
}

}  // extern "C"
