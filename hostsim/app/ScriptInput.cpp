#include "ScriptInput.h"

// The common controls header needs the Windows types declared first.
#include <commctrl.h>

#include <cstring>
#include <vector>

#include "TreeReader.h"

namespace {

constexpr char kMenuClass[] = "#32768";

std::string ClassOf(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

BOOL CALLBACK NoteShown(HWND window, LPARAM list) {
  if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> ShownThreadWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), NoteShown, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// "&Yes" and "Toggle &Visibility\tV" as a user reads them: "Yes", "Toggle Visibility".
std::string Readable(std::string caption) {
  caption = caption.substr(0, caption.find('\t'));
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    out += caption[i];
  }
  return out;
}

std::string WindowText(HWND window) {
  char text[256] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// A click as a hand gives it, through the system's input queue: the pointer moved onto the point of window
// (client coordinates), the button pressed and released there. A control that follows the press in a loop
// of its own then meets the release there, as it does for a person.
void ClickWithPointer(HWND window, POINT at, bool right) {
  ClientToScreen(window, &at);
  SetCursorPos(at.x, at.y);
  INPUT inputs[2]{};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  SendInput(2, inputs, sizeof(INPUT));
}

void PostKey(HWND target, UINT key) {
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, 0)) << 16;
  PostMessageA(target, WM_KEYDOWN, key, 1 | scan);
  PostMessageA(target, WM_KEYUP, key, 1 | scan | 0xC0000000);
}

}  // namespace

HWND OpenMenu() {
  for (HWND window : ShownThreadWindows())
    if (ClassOf(window) == kMenuClass) return window;
  return nullptr;
}

// A box has a title bar; a menu, a tool tip or a drop-down list has none.
HWND OpenBox(HWND host) {
  for (HWND window : ShownThreadWindows()) {
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    if (window != host && (style & WS_CAPTION) == WS_CAPTION && !(style & WS_CHILD)) return window;
  }
  return nullptr;
}

// Pressed and released in the queue, in that order: the control follows the press in a loop of its own
// until it finds the release there, then asks for its context menu at the pointer.
std::string RightClickItem(HWND tree, const std::string& label) {
  for (const TreeItemInfo& item : ReadTreeItems(tree)) {
    if (item.label != label) continue;
    SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item.item));
    RECT bounds{};
    std::memcpy(&bounds, &item.item, sizeof item.item);  // the item goes in, its rectangle comes out
    if (!SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&bounds)))
      return "the item \"" + label + "\" is not in view";
    ClickWithPointer(tree, POINT{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2}, true);
    return "";
  }
  return "no item \"" + label + "\" in the panel";
}

// No entry is highlighted when a menu opens under the pointer: the first Down reaches the first entry, and
// separators are passed over.
std::string ChooseMenuEntry(const std::string& caption) {
  HWND window = OpenMenu();
  if (!window) return "no menu is open";
  auto menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
  int downs = 0;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[256] = "";
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    if (!GetMenuItemInfoA(menu, i, TRUE, &info) || (info.fType & MFT_SEPARATOR)) continue;
    ++downs;
    if (Readable(text) != caption) continue;
    HWND focus = GetFocus() ? GetFocus() : window;
    for (int d = 0; d < downs; ++d) PostKey(focus, VK_DOWN);
    PostKey(focus, VK_RETURN);
    return "";
  }
  return "no entry \"" + caption + "\" in the menu";
}

std::string PressBoxButton(HWND host, const std::string& caption) {
  HWND box = OpenBox(host);
  if (!box) return "no box is open";
  for (HWND button = FindWindowExA(box, nullptr, "Button", nullptr); button;
       button = FindWindowExA(box, button, "Button", nullptr)) {
    if (!IsWindowVisible(button) || Readable(WindowText(button)) != caption) continue;
    RECT client{};
    GetClientRect(button, &client);
    ClickWithPointer(button, POINT{client.right / 2, client.bottom / 2}, false);
    return "";
  }
  return "no button \"" + caption + "\" in the box \"" + WindowText(box) + "\"";
}

void CloseWhatIsOpen(HWND host) {
  if (OpenMenu()) EndMenu();
  if (HWND box = OpenBox(host)) PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
}
