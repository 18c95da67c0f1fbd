#include "TreeMessages.h"

#include <cstdio>

namespace {
// One counter at a time: a hook procedure has no argument of its own to find it by.
TreeMessageCounter* ActiveCounter = nullptr;

bool IsTreeViewMessage(UINT message) {
  return message >= TV_FIRST && message < TV_FIRST + 0x100;
}
}  // namespace

TreeMessageCounter::TreeMessageCounter(HWND tree) : FTree(tree) {
  if (ActiveCounter) return;
  ActiveCounter = this;
  FHook = SetWindowsHookExA(WH_CALLWNDPROC, HookProc, nullptr, GetCurrentThreadId());
  if (!FHook) ActiveCounter = nullptr;
}

TreeMessageCounter::~TreeMessageCounter() {
  if (!FHook) return;
  UnhookWindowsHookEx(FHook);
  ActiveCounter = nullptr;
}

LRESULT CALLBACK TreeMessageCounter::HookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && ActiveCounter) {
    auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (sent->hwnd == ActiveCounter->FTree && IsTreeViewMessage(sent->message))
      ++ActiveCounter->FCounts[sent->message];
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

int TreeMessageCounter::CountOf(UINT message) const {
  auto found = FCounts.find(message);
  return found == FCounts.end() ? 0 : found->second;
}

int TreeMessageCounter::Total() const {
  int total = 0;
  for (const auto& [message, count] : FCounts) total += count;
  return total;
}

std::string TreeMessageName(UINT message) {
  static const std::map<UINT, const char*> names = {
      {TVM_INSERTITEMA, "TVM_INSERTITEMA"},
      {TVM_INSERTITEMW, "TVM_INSERTITEMW"},
      {TVM_DELETEITEM, "TVM_DELETEITEM"},
      {TVM_EXPAND, "TVM_EXPAND"},
      {TVM_GETITEMSTATE, "TVM_GETITEMSTATE"},
      {TVM_GETITEMRECT, "TVM_GETITEMRECT"},
      {TVM_GETCOUNT, "TVM_GETCOUNT"},
      {TVM_SETINDENT, "TVM_SETINDENT"},
      {TVM_SETIMAGELIST, "TVM_SETIMAGELIST"},
      {TVM_GETNEXTITEM, "TVM_GETNEXTITEM"},
      {TVM_SELECTITEM, "TVM_SELECTITEM"},
      {TVM_GETITEMA, "TVM_GETITEMA"},
      {TVM_SETITEMA, "TVM_SETITEMA"},
      {TVM_GETEDITCONTROL, "TVM_GETEDITCONTROL"},
      {TVM_HITTEST, "TVM_HITTEST"},
      {TVM_SORTCHILDREN, "TVM_SORTCHILDREN"},
      {TVM_ENSUREVISIBLE, "TVM_ENSUREVISIBLE"},
      {TVM_SORTCHILDRENCB, "TVM_SORTCHILDRENCB"},
      {TVM_SETBKCOLOR, "TVM_SETBKCOLOR"},
  };
  auto found = names.find(message);
  if (found != names.end()) return found->second;
  char id[16];
  snprintf(id, sizeof id, "0x%04X", message);
  return id;
}

int ControlItemCount(HWND tree) {
  return static_cast<int>(SendMessageA(tree, TVM_GETCOUNT, 0, 0));
}
