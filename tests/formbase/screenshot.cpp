// Shows the panel inside a host main view on the demo scene and saves what the screen shows of the view
// as a bitmap file: formbase_screenshot <file.bmp> [seconds to keep the window up afterwards].
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
  if (!SaveWindowImage(host.MainView(), argv[1])) return 1;
  if (argc > 2) PumpFor(static_cast<DWORD>(atoi(argv[2]) * 1000));
  return 0;
}
