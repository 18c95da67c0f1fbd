// One plug-in as the host holds it: the loaded module, its registration with the simulator, what it told
// the host about itself, and its button's on/off state.
#pragma once

#include <windows.h>

#include <string>

#include "SimControl.h"

class PluginSlot {
 public:
  static constexpr int kPlugId = 1;

  PluginSlot() = default;
  ~PluginSlot() { Unload(); }
  PluginSlot(const PluginSlot&) = delete;
  PluginSlot& operator=(const PluginSlot&) = delete;

  // Loads, registers and asks the module for its version and data. On failure the host keeps running
  // without a plug-in and Error() says why.
  bool Load(const std::string& path);
  void Unload();

  bool Loaded() const { return FModule != nullptr; }
  const std::string& Path() const { return FPath; }
  const std::string& Error() const { return FError; }
  int Version() const { return FVersion; }
  const SimPlugData& Data() const { return FData; }
  const std::string& Description() const { return FDescription; }
  HBITMAP Bitmap() const { return FBitmap; }

  int LeftClick();
  void RightClick();
  void Deactivate();
  bool Active() const;
  // What a click on the plug-in's button does: a host toggles the plug-in.
  void ButtonClick();

 private:
  bool Fail(const std::string& message);

  HMODULE FModule = nullptr;
  std::string FPath;
  std::string FError;
  int FVersion = 0;
  SimPlugData FData{};
  std::string FDescription;
  HBITMAP FBitmap = nullptr;
};
