#include "Menus.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "ImgList.h"
#include "ScopeExit.h"
#include "SehGuard.h"

namespace {
HMENU CurrentMenu = nullptr;
int LiveMenus = 0;

// A menu entry's picture: the image drawn over the menu colour into a bitmap of its own.
HBITMAP MenuPicture(HIMAGELIST list, int index) {
  int width = 0, height = 0;
  ImageList_GetIconSize(list, &width, &height);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT r{0, 0, width, height};
  FillRect(dc, &r, GetSysColorBrush(COLOR_MENU));
  ImageList_Draw(list, index, dc, 0, 0, ILD_TRANSPARENT);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

// The menu's loop dispatches the thread's messages, the host's windows' included. A fault in there leaves as
// our failure; the system's tracking of the menu, cut short, is ended as well, or the system would take the
// next menu for a second one while this one still runs.
UINT TrackMenu(HMENU menu, int x, int y, HWND owner) {
  const UINT flags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY;
  try {
    return CallGuarded("a pop-up menu", TrackPopupMenu, menu, flags, x, y, 0, owner,
                       static_cast<const RECT*>(nullptr));
  } catch (...) {
    EndMenu();
    throw;
  }
}

struct BuiltMenu {
  HMENU menu = CreatePopupMenu();
  std::vector<HBITMAP> pictures;
  BuiltMenu() { ++LiveMenus; }
  ~BuiltMenu() {
    DestroyMenu(menu);
    --LiveMenus;
    for (HBITMAP picture : pictures) DeleteObject(picture);
  }
};
}  // namespace

int LiveMenuCount() {
  return LiveMenus;
}
HMENU TPopupMenu::ShownMenu() {
  return CurrentMenu;
}

void TPopupMenu::ComponentRemoved(TComponent* component) {
  FItems.erase(std::remove(FItems.begin(), FItems.end(), component), FItems.end());
}

// Hidden entries can leave a separator first, last or next to another one; such a separator divides
// nothing, so it is left out of the shown menu as well.
std::vector<bool> TPopupMenu::ShownEntries() const {
  std::vector<bool> shown(FItems.size(), false);
  int lastShown = -1;
  for (size_t i = 0; i < FItems.size(); ++i) {
    TMenuItem* item = FItems[i];
    if (!item->Visible) continue;
    if (item->IsSeparator() && (lastShown < 0 || FItems[lastShown]->IsSeparator())) continue;
    shown[i] = true;
    lastShown = static_cast<int>(i);
  }
  if (lastShown >= 0 && FItems[lastShown]->IsSeparator()) shown[lastShown] = false;
  return shown;
}

void TPopupMenu::Popup(int x, int y) {
  BuiltMenu built;
  const std::vector<bool> shown = ShownEntries();
  for (size_t i = 0; i < FItems.size(); ++i) {
    if (!shown[i]) continue;
    TMenuItem* item = FItems[i];
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    if (item->IsSeparator()) {
      info.fMask = MIIM_FTYPE;
      info.fType = MFT_SEPARATOR;
    } else {
      info.fMask = MIIM_STRING | MIIM_ID;
      info.wID = static_cast<UINT>(i + 1);  // 0 is what TrackPopupMenu answers for no choice
      info.dwTypeData = const_cast<char*>(item->Caption.c_str());
      if (Images && Images->Handle() && item->ImageIndex >= 0 && item->ImageIndex < Images->Count()) {
        info.fMask |= MIIM_BITMAP;
        info.hbmpItem = MenuPicture(Images->Handle(), item->ImageIndex);
        built.pictures.push_back(info.hbmpItem);
      }
    }
    InsertMenuItemA(built.menu, GetMenuItemCount(built.menu), TRUE, &info);
  }
  auto* control = dynamic_cast<TWinControl*>(PopupComponent);
  HWND owner = control ? control->Handle() : GetActiveWindow();
  UINT chosen = 0;
  {
    HMENU previous = std::exchange(CurrentMenu, built.menu);
    TOnScopeExit shownNoMore([previous] { CurrentMenu = previous; });
    chosen = TrackMenu(built.menu, x, y, owner);
  }
  if (chosen < 1 || chosen > FItems.size()) return;
  // The menu was opened from inside the control's own handling (a right click, a button's drop-down):
  // the command runs once the control has finished with it.
  TMenuItem* item = FItems[chosen - 1];  // owned by the form, as is the control that runs the call
  if (control)
    control->PostCall([item] { item->Click(); });
  else
    item->Click();
}
