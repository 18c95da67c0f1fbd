// Draws one image-list picture into a 32-bit DIB over a known background and reads the pixels back.
#pragma once

#include <windows.h>
// The common controls header needs the Windows types declared first.
#include <commctrl.h>

#include <cstdint>
#include <vector>

struct Rendered {
  BOOL drawn = FALSE;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
};

inline Rendered RenderListImage(HIMAGELIST list, int index, int width, int height, std::uint32_t background) {
  Rendered result;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP target = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dc || !target) return result;
  HGDIOBJ old = SelectObject(dc, target);
  auto* px = static_cast<std::uint32_t*>(bits);
  std::fill(px, px + width * height, background);
  result.drawn = ImageList_Draw(list, index, dc, 0, 0, ILD_TRANSPARENT);
  GdiFlush();
  result.pixels.assign(px, px + width * height);
  for (auto& p : result.pixels) p &= 0x00FFFFFF;
  SelectObject(dc, old);
  DeleteObject(target);
  DeleteDC(dc);
  return result;
}
