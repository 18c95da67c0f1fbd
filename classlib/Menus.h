// Pop-up menus: the entries are components; the Windows menu is built each time the menu pops up, so an
// entry's caption, picture and visibility are always current.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Component.h"
#include "Controls.h"

class TImageList;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner) : TComponent(owner) {}

  std::string Caption;  // "-" makes a separator
  int ImageIndex = -1;
  bool Visible = true;
  TNotifyEvent OnClick;

  bool IsSeparator() const { return Caption == "-"; }
  void Click() {
    if (OnClick) OnClick(this);
  }
};

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner) : TComponent(owner) {}

  void Add(TMenuItem* item) { FItems.push_back(item); }
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int index) const { return FItems[index]; }

  TImageList* Images = nullptr;  // not owned
  bool AutoPopup = true;
  TComponent* PopupComponent = nullptr;  // not owned: the control the menu was last shown for

  // Shows the menu at a screen position and waits until it closes; a chosen entry's OnClick then runs.
  void Popup(int x, int y);
  // The menu currently open, for whoever must find or dismiss it from outside the menu's loop.
  static HMENU ShownMenu();

 protected:
  void ComponentRemoved(TComponent* component) override;

 private:
  std::vector<bool> ShownEntries() const;

  std::vector<TMenuItem*> FItems;  // not owned: entries are owned by the form like every component
};

int LiveMenuCount();
