// A host around the real plug-in: Quillon_ts4.tsx loaded with LoadLibrary beside the simulator's
// Tsxapi.dll, registered with the simulator under a plug-in id, placed in a main view window of our own.
// Everything is read back from the real windows and the simulator's call log.
#pragma once

#include <windows.h>
// The common controls header needs the Windows types declared first.
#include <commctrl.h>

#include <string>
#include <vector>

#include "SimControl.h"
#include "TreeReader.h"

class PluginHost {
 public:
  static constexpr int kPlugId = 7;

  // Loads the plug-in (inside the simulator's loader span) and registers it; no export is called yet.
  PluginHost();
  ~PluginHost();
  PluginHost(const PluginHost&) = delete;
  PluginHost& operator=(const PluginHost&) = delete;

  bool Loaded() const { return FModule != nullptr; }
  // Freed memory the module wrote to, when it is the poisoned build (QUILLON_MODULE); 0 otherwise.
  long StaleWrites() const;
  HMODULE Module() const { return FModule; }
  HWND MainView() const { return FMainView; }
  // The host closes its main view, with whatever window of the plug-in lives in it, and opens another.
  void ReplaceMainView();

  // The host's conversation, as the simulator's host carries it out.
  void Initialise();  // tsxGetVersion, then tsxGetData with kPlugId
  int LeftClick();
  void RightClick();
  void Deactivate();

  HWND Panel() const;
  HWND Tree() const;
  // The control's items in display order, only those the control holds.
  std::vector<TreeItemInfo> ReadTree() const;
  // Expands every item the control holds, as a user would, until nothing collapsed with children is left.
  void ExpandAll() const;
  // One line per item: indentation, label, g<glyph>, and "hidden", "selected", "expanded" marks.
  std::string Dump() const;
  const TreeItemInfo* Find(const std::string& label) const;
  HTREEITEM FindItem(const std::string& label) const;

  // The call log from index from on, one entry per line.
  static std::string Log(int from = 0);
  static void Pump();

 private:
  HMODULE FModule = nullptr;
  HWND FMainView = nullptr;
};

// Windows of this thread that are alive (for leak checks), the system's input-method windows left out.
int CountThreadWindows();
