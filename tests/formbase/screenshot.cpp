// Shows the panel inside a host main view on the demo scene and saves what the screen shows of the view
// as a bitmap file: formbase_screenshot <file.bmp> [seconds to keep the window up afterwards] [file], the
// last word taking the picture while the panel's File menu is open.
#include <cstdio>
#include <cstdlib>

#include "PluginHost.h"

namespace {
void PumpFor(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  while (GetTickCount() < end) {
    PluginHost::Pump();
    Sleep(20);
  }
}

bool SaveWindowImage(HWND window, const char* path) {
  RECT r;
  GetWindowRect(window, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP image = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, image);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  const DWORD size = static_cast<DWORD>(((width * 3 + 3) & ~3) * height);
  BITMAPFILEHEADER file{0x4D42,
                        static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0, 0,
                        sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  bool written = false;
  if (FILE* out = fopen(path, "wb")) {
    written = fwrite(&file, sizeof file, 1, out) == 1 &&
              fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 && fwrite(bits, size, 1, out) == 1;
    fclose(out);
  }
  DeleteObject(image);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return written;
}
BOOL CALLBACK FindFileBar(HWND window, LPARAM found) {
  char name[64];
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, "Quillon.ToolBar") != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// The menu's own loop runs the timer: the picture is taken with the menu on screen, then the menu closes.
const char* MenuShotPath = nullptr;
HWND MenuShotView = nullptr;
bool MenuShotSaved = false;
void CALLBACK TakeMenuShot(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  MenuShotSaved = SaveWindowImage(MenuShotView, MenuShotPath);
  EndMenu();
}

bool SaveWithFileMenuOpen(HWND panel, HWND view, const char* path) {
  HWND bar = nullptr;
  EnumChildWindows(panel, FindFileBar, reinterpret_cast<LPARAM>(&bar));
  if (!bar) return false;
  MenuShotPath = path;
  MenuShotView = view;
  SetTimer(nullptr, 0, 700, TakeMenuShot);
  RECT r{};
  SendMessageA(bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  PostMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 4, r.top + 4));
  PostMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(r.left + 4, r.top + 4));
  PumpFor(1500);
  return MenuShotSaved;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: formbase_screenshot file.bmp [seconds]\n");
    return 2;
  }
  simBuildDemoScene();
  PluginHost host;
  if (!host.Loaded()) return 1;
  host.Initialise();
  if (host.LeftClick() != 1) return 1;
  host.ExpandAll();
  SetForegroundWindow(host.MainView());
  PumpFor(500);
  const bool withMenu = argc > 3 && lstrcmpA(argv[3], "file") == 0;
  if (withMenu ? !SaveWithFileMenuOpen(host.Panel(), host.MainView(), argv[1])
               : !SaveWindowImage(host.MainView(), argv[1]))
    return 1;
  if (argc > 2) PumpFor(static_cast<DWORD>(atoi(argv[2]) * 1000));
  return 0;
}
