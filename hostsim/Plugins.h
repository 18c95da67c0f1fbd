// The plug-ins the simulator hosts: their five entry points, looked up once, and whether each is active.
#pragma once

#include <windows.h>

#include <map>

namespace hostsim {

struct Plugin {
  HMODULE module = nullptr;
  int(__cdecl* getVersion)() = nullptr;
  void(__cdecl* getData)(void* data, int plugId) = nullptr;
  int(__cdecl* onLeftClick)() = nullptr;
  void(__cdecl* onRightClick)() = nullptr;
  void(__cdecl* deactivate)() = nullptr;
  bool active = false;
};

class Plugins {
 public:
  // False (and nothing registered) when one of the entry points is missing.
  bool Register(int plugId, HMODULE module);
  void Unregister(int plugId) { byId_.erase(plugId); }
  // Look up again after every call into a plug-in: the call may have unregistered it.
  Plugin* Find(int plugId);

 private:
  std::map<int, Plugin> byId_;
};

}  // namespace hostsim
