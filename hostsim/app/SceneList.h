// The host's own view of its scene: a tree of every object, the host's selection in bold and its current
// object as the control's selection. Objects are kept by serial number, which outlives a refresh.
#pragma once

#include <windows.h>
// The common controls header needs the Windows types declared first.
#include <commctrl.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "SceneQuery.h"

class SceneList {
 public:
  HWND Create(HWND parent, int id);
  HWND Handle() const { return FTree; }

  // Rebuilds the control when the scene differs from what it shows. Open branches stay open.
  void Refresh();
  // A newly loaded scene: every branch open (small scenes) or every branch closed (large ones).
  void ResetExpansion(bool expandAll) {
    FExpanded.clear();
    FExpandAll = expandAll;
    FShown.clear();
  }
  // The object of the control's selected item; null when none or when it has gone.
  SobjHandle Selected() const;
  // Answers the control's notifications, forwarded by the parent window.
  LRESULT Notify(NMHDR* header);

  // The user picked an object in the list.
  std::function<void(SobjHandle)> OnUserSelect;

 private:
  void Fill(const std::vector<SceneObject>& scene);
  void Insert(const std::vector<SceneObject>& objects, HTREEITEM parent, HTREEITEM* current);
  void KeepOpen(HTREEITEM item);
  int SerialOf(HTREEITEM item) const;

  HWND FTree = nullptr;
  std::string FShown;
  std::set<int> FExpanded;
  bool FExpandAll = false;
  bool FFilling = false;
};
