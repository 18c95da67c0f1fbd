#include "Plugins.h"

namespace hostsim {

namespace {

template <class Proc>
bool Resolve(HMODULE module, const char* name, Proc& proc) {
  proc = reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return proc != nullptr;
}

}  // namespace

bool Plugins::Register(int plugId, HMODULE module) {
  if (!module) return false;
  Plugin plugin;
  plugin.module = module;
  bool complete = Resolve(module, "tsxGetVersion", plugin.getVersion) &
                  Resolve(module, "tsxGetData", plugin.getData) &
                  Resolve(module, "tsxOnLeftClick", plugin.onLeftClick) &
                  Resolve(module, "tsxOnRightClick", plugin.onRightClick) &
                  Resolve(module, "tsxDeactivate", plugin.deactivate);
  if (!complete) return false;
  byId_[plugId] = plugin;
  return true;
}

Plugin* Plugins::Find(int plugId) {
  auto it = byId_.find(plugId);
  return it == byId_.end() ? nullptr : &it->second;
}

}  // namespace hostsim
