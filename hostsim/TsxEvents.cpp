// The host functions for notifications, and the two the plug-in looks up by name.
#include "Host.h"
#include "SimControl.h"

using namespace hostsim;

namespace {

Host& host = Host::Get();

std::uint32_t Given(const void* callback) {
  return callback ? 1 : 0;
}

template <class Callback>
int RegisterFor(Fn fn, PluginRegistry<Callback>& registry, int plugId, Callback callback) {
  HostCall call =
      host.Enter(fn, static_cast<std::uint32_t>(plugId), Given(reinterpret_cast<const void*>(callback)));
  if (!call.Proceeds()) return 0;
  registry.Set(plugId, callback);
  return 1;
}

}  // namespace

extern "C" {

int __cdecl tsxRegisterEventCallback(int category, tsxEventCallback callback, int doRegister) {
  HostCall call =
      host.Enter(Fn::kRegisterEventCallback, static_cast<std::uint32_t>(category),
                 Given(reinterpret_cast<const void*>(callback)), static_cast<std::uint32_t>(doRegister));
  if (!call.Proceeds()) return 0;
  return host.notifier.RegisterEvent(category, callback, doRegister != 0);
}

int __cdecl tsxSelectionChangedCB(int plugId, tsxSelectionChangedCallback callback) {
  return RegisterFor(Fn::kSelectionChangedCB, host.notifier.selection, plugId, callback);
}

int __cdecl tsxOnDestroyCB(int plugId, tsxObjectDestroyCallback callback) {
  return RegisterFor(Fn::kOnDestroyCB, host.notifier.destroy, plugId, callback);
}

int __cdecl tsxActiveTimeChangedCB(int plugId, tsxActiveTimeChangedCallback callback) {
  return RegisterFor(Fn::kActiveTimeChangedCB, host.notifier.activeTime, plugId, callback);
}

int __cdecl tsxCurrobjMoveCB(int plugId, tsxCurrobjMoveCallback callback) {
  return RegisterFor(Fn::kCurrobjMoveCB, host.notifier.objectMove, plugId, callback);
}

HWND __cdecl tsxGetMainViewHwnd(void) {
  HostCall call = host.Enter(Fn::kGetMainViewHwnd);
  return call.Proceeds() ? host.mainView : nullptr;
}

// The plug-in closing its own window: the host takes back the button as if the user had clicked it off.
void __cdecl tsxForceLeftClick(int plugId) {
  HostCall call = host.Enter(Fn::kForceLeftClick, static_cast<std::uint32_t>(plugId));
  if (!call.Proceeds()) return;
  Plugin* plugin = host.plugins.Find(plugId);
  if (!plugin || !plugin->active) return;
  // Inactive before the call, so a deactivation that closes the window again cannot come back round here.
  plugin->active = false;
  plugin->deactivate();
}

}  // extern "C"
