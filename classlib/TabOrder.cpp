// Moving the focus with Tab and Shift+Tab. A plug-in's windows live inside the host's message loop, which
// knows nothing of our dialog keys, so each control answers the Tab key itself.
#include <algorithm>
#include <climits>

#include "Controls.h"

bool TWinControl::CanTab() const {
  if (!TabStop || !FHandle || !IsWindowEnabled(FHandle)) return false;
  for (const TWinControl* c = this; c; c = c->FParent)
    if (!c->FVisible) return false;
  return true;
}

std::vector<TWinControl*> TWinControl::TabOrderList() const {
  std::vector<TWinControl*> list;
  AddTabStops(list);
  return list;
}

void TWinControl::AddTabStops(std::vector<TWinControl*>& list) const {
  std::vector<TWinControl*> children(FControls);
  auto rank = [](const TWinControl* c) { return c->TabOrder >= 0 ? c->TabOrder : INT_MAX; };
  std::stable_sort(children.begin(), children.end(),
                   [&](const TWinControl* a, const TWinControl* b) { return rank(a) < rank(b); });
  for (TWinControl* child : children) {
    if (child->CanTab()) list.push_back(child);
    child->AddTabStops(list);
  }
}

bool TWinControl::SelectNext(TWinControl* current, bool forward) {
  TWinControl* top = this;
  while (top->FParent) top = top->FParent;
  std::vector<TWinControl*> stops = top->TabOrderList();
  if (stops.empty()) return false;
  auto at = std::find(stops.begin(), stops.end(), current);
  int count = static_cast<int>(stops.size());
  int index = at == stops.end() ? (forward ? -1 : count) : static_cast<int>(at - stops.begin());
  index = (index + (forward ? 1 : count - 1) + count) % count;
  ::SetFocus(stops[index]->Handle());
  return true;
}

// Tab without Ctrl or Alt moves on unless the control wants the key for itself; the character the host's
// loop made of the key is swallowed with it.
bool TWinControl::TabKey(UINT message, WPARAM wParam) {
  if ((message != WM_KEYDOWN && message != WM_CHAR) || wParam != VK_TAB || !FHandle) return false;
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  MSG msg{FHandle, message, wParam, 0, 0, {0, 0}};
  LRESULT wants = DefaultHandler(WM_GETDLGCODE, wParam, reinterpret_cast<LPARAM>(&msg));
  if (wants & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) return false;
  if (message == WM_CHAR) return true;
  return SelectNext(this, GetKeyState(VK_SHIFT) >= 0);
}
