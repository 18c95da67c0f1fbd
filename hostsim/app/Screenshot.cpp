#include "Screenshot.h"

#include <cstdio>
#include <vector>

namespace {

struct ScreenCopy {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> pixels;  // bottom-up rows of 24-bit pixels, each padded to 4 bytes
};

BOOL CALLBACK AddShownWindow(HWND window, LPARAM bounds) {
  RECT rect;
  if (IsWindowVisible(window) && GetWindowRect(window, &rect)) {
    auto* all = reinterpret_cast<RECT*>(bounds);
    UnionRect(all, all, &rect);
  }
  return TRUE;
}

// The window with whatever its thread shows over it and beyond its edges (a pop-up menu, a box), cut to
// the screen.
RECT ShownBounds(HWND window) {
  RECT bounds;
  GetWindowRect(window, &bounds);
  EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), AddShownWindow,
                    reinterpret_cast<LPARAM>(&bounds));
  RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  IntersectRect(&bounds, &bounds, &screen);
  return bounds;
}

// Copied from the screen rather than printed: the plug-in's panel paints only on WM_PAINT, and the screen
// holds exactly what the user sees, frame and children included.
ScreenCopy CopyFromScreen(HWND window) {
  RECT bounds = ShownBounds(window);
  ScreenCopy copy;
  copy.width = bounds.right - bounds.left;
  copy.height = bounds.bottom - bounds.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, copy.width, copy.height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, copy.width, copy.height, screen, bounds.left, bounds.top, SRCCOPY | CAPTUREBLT);
  SelectObject(memory, old);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = copy.width;
  info.bmiHeader.biHeight = copy.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  int stride = (copy.width * 3 + 3) & ~3;
  copy.pixels.resize(static_cast<size_t>(stride) * copy.height);
  if (!GetDIBits(memory, bitmap, 0, copy.height, copy.pixels.data(), &info, DIB_RGB_COLORS))
    copy.pixels.clear();
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return copy;
}

}  // namespace

std::string SaveWindowBitmap(HWND window, const std::string& path) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  GdiFlush();
  // Wine hands what a window painted to the X server from its message loop, a little later: let the loop
  // run for a moment, or the copy may miss the newest paint (a status bar's texts).
  const DWORD end = GetTickCount() + 200;
  for (MSG message; GetTickCount() < end; Sleep(10))
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  ScreenCopy copy = CopyFromScreen(window);
  if (copy.pixels.empty()) return "cannot copy the window from the screen";
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = copy.width;
  header.biHeight = copy.height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(copy.pixels.size());
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + header.biSizeImage;
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return "cannot write \"" + path + "\"";
  bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                 std::fwrite(&header, sizeof header, 1, out) == 1 &&
                 std::fwrite(copy.pixels.data(), copy.pixels.size(), 1, out) == 1;
  written = std::fclose(out) == 0 && written;
  return written ? "" : "cannot write \"" + path + "\"";
}
