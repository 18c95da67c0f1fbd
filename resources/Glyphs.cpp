#include "Glyphs.h"

#include <vector>

namespace {

constexpr int kGrowBy = 4;
constexpr std::uint32_t kOpaque = 0xFF000000;

BITMAPINFO TopDownInfo(int width, int height, WORD bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bits;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// All pictures side by side. The alpha byte stays zero so that every comctl32 version draws by the mask
// alone; masked pixels are black, as the image-list stream stores them.
HBITMAP CreateColourStrip(const GlyphSetArt& art) {
  const int stride = art.width * art.count;
  BITMAPINFO info = TopDownInfo(stride, art.height, 32);
  void* bits = nullptr;
  HBITMAP strip = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!strip) return nullptr;
  auto* out = static_cast<std::uint32_t*>(bits);
  for (int i = 0; i < art.count; ++i) {
    for (int y = 0; y < art.height; ++y) {
      for (int x = 0; x < art.width; ++x) {
        out[y * stride + i * art.width + x] = art.pictures[i].pixels[y * art.width + x] & ~kOpaque;
      }
    }
  }
  return strip;
}

// A set bit is a transparent pixel; monochrome bitmap rows are padded to 16 bits.
HBITMAP CreateMaskStrip(const GlyphSetArt& art) {
  const int stride = art.width * art.count;
  const int rowBytes = (stride + 15) / 16 * 2;
  std::vector<BYTE> bits(rowBytes * art.height, 0);
  for (int i = 0; i < art.count; ++i) {
    for (int y = 0; y < art.height; ++y) {
      for (int x = 0; x < art.width; ++x) {
        if ((art.pictures[i].pixels[y * art.width + x] & kOpaque) == 0) {
          const int column = i * art.width + x;
          bits[y * rowBytes + column / 8] |= static_cast<BYTE>(0x80 >> (column % 8));
        }
      }
    }
  }
  return CreateBitmap(stride, art.height, 1, 1, bits.data());
}

HIMAGELIST CreateList(GlyphSet set) {
  const GlyphSetArt& art = GlyphArt(set);
  HIMAGELIST list = ImageList_Create(art.width, art.height, ILC_COLOR32 | ILC_MASK, art.capacity, kGrowBy);
  if (!list) return nullptr;
  ImageList_SetBkColor(list, CLR_NONE);
  HBITMAP colour = CreateColourStrip(art);
  HBITMAP mask = CreateMaskStrip(art);
  const bool added = colour && mask && ImageList_Add(list, colour, mask) == 0;
  if (colour) DeleteObject(colour);
  if (mask) DeleteObject(mask);
  if (!added || ImageList_GetImageCount(list) != art.count) {
    ImageList_Destroy(list);
    return nullptr;
  }
  return list;
}

}  // namespace

HIMAGELIST CreateGlyphImageList() {
  return CreateList(GlyphSet::Glyph);
}
HIMAGELIST CreateToolImageList() {
  return CreateList(GlyphSet::Tool);
}
HIMAGELIST CreateStateImageList() {
  return CreateList(GlyphSet::State);
}
HIMAGELIST CreateTfbImageList() {
  return CreateList(GlyphSet::Tfb);
}

HBITMAP CreateTitleButtonGlyph(int which) {
  const GlyphSetArt& art = GlyphArt(GlyphSet::TitleButton);
  if (which < 0 || which >= art.count) return nullptr;
  BITMAPINFO info = TopDownInfo(art.width, art.height, 24);
  void* bits = nullptr;
  HBITMAP glyph = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!glyph) return nullptr;
  const int rowBytes = (art.width * 3 + 3) & ~3;
  auto* out = static_cast<BYTE*>(bits);
  for (int y = 0; y < art.height; ++y) {
    for (int x = 0; x < art.width; ++x) {
      const std::uint32_t pixel = art.pictures[which].pixels[y * art.width + x];
      BYTE* p = out + y * rowBytes + x * 3;
      p[0] = static_cast<BYTE>(pixel);
      p[1] = static_cast<BYTE>(pixel >> 8);
      p[2] = static_cast<BYTE>(pixel >> 16);
    }
  }
  return glyph;
}
